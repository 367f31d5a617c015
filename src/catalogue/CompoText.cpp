#include "CompoText.h"

#include <algorithm>
#include <iterator>

#include "Coding.h"
#include "ComponentFields.h"
#include "ScriptParser.h"
#include "settings/core/TextRoutines.h"

namespace lumarc {

void TCompoText::GetText(TStringList& strings) const
{
    strings.Clear();
    for (int rank = 1;; ++rank) {
        const auto field = std::find_if(std::begin(kComponentFields), std::end(kComponentFields),
                                        [rank](const TComponentField& f) { return f.TextRank == rank; });
        if (field == std::end(kComponentFields))
            break;
        if (field->Kind == TFieldKind::fkString)
            strings.Add(this->*field->Text);
        else
            for (const std::string& line : (this->*field->List).Strings())
                strings.Add(line);
    }
}

void TCompoText::Load()
{
    TReader reader(AttachedStream());
    Lines.Clear();
    for (const TComponentField& field : kComponentFields) {
        switch (field.Kind) {
        case TFieldKind::fkString:
            this->*field.Text = ReadTaggedString(reader);
            break;
        case TFieldKind::fkByte:
            this->*field.Byte = ReadByte(reader);
            break;
        case TFieldKind::fkList:
            ReadStringList(reader, this->*field.List);
            break;
        }
    }
}

void TCompoText::Store()
{
    TLZWFilter& stream = AttachedStream();
    DataPosition = static_cast<int32_t>(stream.Position());
    TWriter writer(stream);
    TParamScriptComponent::Store();
    for (const TComponentField& field : kComponentFields) {
        switch (field.Kind) {
        case TFieldKind::fkString:
            WriteTaggedString(writer, this->*field.Text);
            break;
        case TFieldKind::fkByte:
            WriteByte(writer, this->*field.Byte);
            break;
        case TFieldKind::fkList:
            WriteStringList(writer, this->*field.List);
            break;
        }
    }
    writer.FlushBuffer();
}

void TCompoText::ParseScript(TScriptParser& parser)
{
    TParamScriptComponent::ParseScript(parser);
    Lines.Clear();
    const TScriptParser::TBody body = parser.NextBody();
    for (int i = body.Start; i <= body.Last; ++i) {
        const std::string& line = parser.Lines[static_cast<size_t>(i)];
        if (line.empty() || line[0] != ';')
            Lines.Add(line);
    }
    parser.Line = parser.Line - 1;
    ParseSections();
    Lines.Clear();
}

int TCompoText::HeaderLine(const std::string& tag) const
{
    const std::string upperTag = UpperAscii(tag);
    for (int i = Lines.Count() - 1; i >= 0; --i)
        if (UpperAscii(Lines[i]).find(upperTag) != std::string::npos)
            return i;
    return -1;
}

// A header on the last line has no value below it: the value is empty.
std::string TCompoText::SingleValue(const std::string& tag) const
{
    const int header = HeaderLine(tag);
    if (header < 0 || header + 1 >= Lines.Count())
        return {};
    return Lines[header + 1].substr(0, 255);
}

void TCompoText::MultiLineValue(const std::string& tag, TStringList& target, bool doubleAmpersands) const
{
    target.Clear();
    const int header = HeaderLine(tag);
    if (header < 0)
        return;
    for (int i = header + 1; i < Lines.Count(); ++i) {
        const std::string& line = Lines[i];
        if (i > header + 1 && !line.empty() && line[0] == '[')
            break;
        target.Add(doubleAmpersands ? DoubleAmpersands(line) : line);
    }
}

void TCompoText::SplitKeyWords(std::string value, TStringList& target)
{
    target.Clear();
    while (!value.empty()) {
        size_t cut = value.find(' ');
        if (cut == std::string::npos)
            cut = value.find(',');
        if (cut == std::string::npos)
            cut = value.find(';');
        const size_t length = cut == std::string::npos ? value.size() : cut + 1;
        std::string token = UpperAscii(value.substr(0, length));
        value.erase(0, length);
        static const TCharSet separators = [] {
            TCharSet set;
            set.set(' ').set(',').set(';');
            return set;
        }();
        const std::string stripped = RemoveChars(token, separators);
        if (!stripped.empty())
            target.Add(DoubleAmpersands(stripped));
    }
}

uint8_t TCompoText::CompilerFlags(const std::string& tag) const
{
    TStringList words;
    SplitKeyWords(SingleValue(tag), words);
    uint8_t flags = 0;
    bool delphi = false, delphi2 = false, bp = false;
    for (const std::string& w : words.Strings()) {
        delphi = delphi || w == "DELPHI";
        delphi2 = delphi2 || w == "DELPHI2";
        bp = bp || w == "BP";
    }
    if (delphi)
        flags |= cfDelphi;
    if (delphi2)
        flags |= cfDelphi2;
    if (bp)
        flags |= cfBP;
    return flags;
}

// A value that is not a whole number gives 0; the field keeps the low 8 bits.
uint8_t TCompoText::NumberValue(const std::string& tag) const
{
    const std::string value = SingleValue(tag);
    size_t i = 0;
    while (i < value.size() && value[i] == ' ')
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        negative = value[i++] == '-';
    if (i == value.size())
        return 0;
    int64_t number = 0;
    for (; i < value.size(); ++i) {
        if (value[i] < '0' || value[i] > '9')
            return 0;
        number = number * 10 + (value[i] - '0');
        if (number > 2147483648LL)
            return 0;
    }
    if (negative)
        number = -number;
    if (number > 2147483647LL)
        return 0;
    return static_cast<uint8_t>(static_cast<uint32_t>(number) & 0xFF);
}

void TCompoText::ParseSections()
{
    for (const TComponentField& field : kComponentFields) {
        switch (field.Value) {
        case TSectionValue::svLine:
            this->*field.Text = SingleValue(field.Section);
            break;
        case TSectionValue::svLines:
            MultiLineValue(field.Section, this->*field.List, false);
            break;
        case TSectionValue::svShownLines:
            MultiLineValue(field.Section, this->*field.List, true);
            break;
        case TSectionValue::svKeyWords:
            SplitKeyWords(SingleValue(field.Section), this->*field.List);
            break;
        case TSectionValue::svCompilerFlags:
            this->*field.Byte = CompilerFlags(field.Section);
            break;
        case TSectionValue::svNumber:
            this->*field.Byte = NumberValue(field.Section);
            break;
        }
    }
}

}  // namespace lumarc
