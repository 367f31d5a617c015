#pragma once

#include <memory>

#include "ScriptText.h"
#include "TreeViewData.h"

namespace lumarc {

// The catalogue's outline: its body is the TTreeViewData image. Made with CreateWithData's
// arguments: with tree data handed in (shared, never freed here) or with one of its own.
class TScriptOutlineText : public TScriptText {
public:
    explicit TScriptOutlineText(TComponent* owner = nullptr, TTreeViewData* treeData = nullptr);
    static std::unique_ptr<TScriptOutlineText> CreateWithData(TComponent* owner, TTreeViewData* treeData)
    {
        return std::make_unique<TScriptOutlineText>(owner, treeData);
    }

    TTreeViewData* TreeData = nullptr;
    bool SharedTreeData = false;

    uint16_t RecordType() const override { return 3; }
    // The body lines, then the tree built from their indentation.
    void ParseScript(TScriptParser& parser) override;
    void Store() override;
    void Load() override;

    // Splits an outline line below its indentation: the text between the first "[" and the
    // first "]" after it becomes the second text and the bracketed part is cut out; the rest
    // stays as it is, blanks included.
    static void SplitLine(const std::string& line, int level, std::string& text, std::string& text2);
    // Leading spaces; tabs do not count.
    static int LevelOf(const std::string& line);

private:
    int BuildLevel(int index, int level, int parent, const std::vector<int>& levels,
                   std::vector<TTVRevEntry>& entries);

    std::unique_ptr<TTreeViewData> FOwnTreeData;
};

}  // namespace lumarc
