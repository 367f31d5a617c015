#pragma once

#include <memory>
#include <string>
#include <vector>

namespace lumarc {

// The owner/owned tree of non-visual objects: a component frees what it owns.
class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr) : FOwner(owner) {}
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    std::string Name;

    // Takes ownership; returns the component for convenience.
    template <class T>
    T& InsertComponent(std::unique_ptr<T> component)
    {
        T& ref = *component;
        component->FOwner = this;
        FComponents.push_back(std::move(component));
        return ref;
    }
    const std::vector<std::unique_ptr<TComponent>>& Components() const { return FComponents; }

private:
    TComponent* FOwner;
    std::vector<std::unique_ptr<TComponent>> FComponents;
};

}  // namespace lumarc
