#pragma once

#include <cstdint>
#include <string>

#include "ParamScriptComponent.h"
#include "StringList.h"

namespace lumarc {

// A component description. Its body is laid out in ComponentFields.h.
class TCompoText : public TParamScriptComponent {
public:
    enum TCompilerFlag : uint8_t { cfDelphi = 1, cfDelphi2 = 2, cfBP = 4 };

    using TParamScriptComponent::TParamScriptComponent;

    TStringList Lines;  // source lines while building; empty after Load
    std::string ShortName, LongName, FileName, Version, LastReview;
    TStringList KeyWords;
    std::string Copyright;
    TStringList ShortInfo, LongInfo, Installation, Review;
    uint8_t Rating = 0;
    std::string OS;
    uint8_t Compiler = 0;
    TStringList Documentation;
    uint8_t Language = 0;
    std::string Distribution, Limitations, Price;
    TStringList Order, Contact;
    int32_t DataPosition = 0;

    uint16_t RecordType() const override { return 5; }
    // The searched fields in the order of their TextRank: KeyWords, LongInfo, ShortInfo, Review,
    // Installation, then LongName and FileName.
    void GetText(TStringList& strings) const override;
    void Load() override;
    void Store() override;
    // The body lines without ";" comments, then the sections.
    void ParseScript(TScriptParser& parser) override;
    virtual void ParseSections();

    // Splits at spaces first, then ",", then ";"; each token upper-cased, stripped of those
    // separators, ampersands doubled; empty tokens dropped.
    static void SplitKeyWords(std::string value, TStringList& target);

private:
    int HeaderLine(const std::string& tag) const;
    std::string SingleValue(const std::string& tag) const;
    void MultiLineValue(const std::string& tag, TStringList& target, bool doubleAmpersands) const;
    uint8_t CompilerFlags(const std::string& tag) const;
    uint8_t NumberValue(const std::string& tag) const;
};

}  // namespace lumarc
