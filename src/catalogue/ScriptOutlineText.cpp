#include "ScriptOutlineText.h"

#include "Coding.h"
#include "ScriptParser.h"

namespace lumarc {

namespace {

constexpr int64_t kOutlineReadBuffer = 256 * 1024;

}  // namespace

TScriptOutlineText::TScriptOutlineText(TComponent* owner, TTreeViewData* treeData) : TScriptText(owner)
{
    SharedTreeData = treeData != nullptr;
    if (!treeData) {
        FOwnTreeData = std::make_unique<TTreeViewData>();
        treeData = FOwnTreeData.get();
    }
    TreeData = treeData;
}

int TScriptOutlineText::LevelOf(const std::string& line)
{
    int level = 0;
    while (level < static_cast<int>(line.size()) && line[static_cast<size_t>(level)] == ' ')
        ++level;
    return level;
}

void TScriptOutlineText::SplitLine(const std::string& line, int level, std::string& text, std::string& text2)
{
    text = line.substr(0, 255);
    text.erase(0, static_cast<size_t>(level) < text.size() ? static_cast<size_t>(level) : text.size());
    text2.clear();
    const size_t open = text.find('[');
    if (open == std::string::npos)
        return;
    const size_t close = text.find(']');
    if (close == std::string::npos || close < open)
        return;
    text2 = text.substr(open + 1, close - open - 1);
    text.erase(open, close - open + 1);
}

int TScriptOutlineText::BuildLevel(int index, int level, int parent, const std::vector<int>& levels,
                                   std::vector<TTVRevEntry>& entries)
{
    const int count = static_cast<int>(levels.size());
    for (;;) {
        TTVRevEntry entry;
        SplitLine(Lines[index], level, entry.Text, entry.Text2);
        entry.Parent = parent;
        entry.Date = Date;
        const int node = static_cast<int>(entries.size());
        entries.push_back(std::move(entry));
        ++index;
        if (index >= count)
            return index;
        if (levels[static_cast<size_t>(index)] > level)
            index = BuildLevel(index, levels[static_cast<size_t>(index)], node, levels, entries);
        if (index >= count || levels[static_cast<size_t>(index)] < level)
            return index;
    }
}

void TScriptOutlineText::ParseScript(TScriptParser& parser)
{
    ParseBody(parser);
    if (Lines.Empty())
        return;
    std::vector<int> levels;
    levels.reserve(static_cast<size_t>(Lines.Count()));
    for (const std::string& line : Lines.Strings())
        levels.push_back(LevelOf(line));
    // A first line that is indented still starts at level 0: it keeps its blanks.
    // The nodes are laid out in one go: added one by one, a large outline would take time
    // that grows with the square of its size.
    std::vector<TTVRevEntry> entries;
    entries.reserve(levels.size());
    int index = 0;
    while (index < Lines.Count())
        index = BuildLevel(index, 0, -1, levels, entries);
    TreeData->AssignNodes(std::move(entries));
}

void TScriptOutlineText::Store()
{
    TLZWFilter& stream = AttachedStream();
    StoredPosition = static_cast<int32_t>(IndexedStream->DataStream().Position());
    IndexedStream->AddEntry(static_cast<int16_t>(RecordType()), StoredPosition);
    TWriter writer(stream);
    TreeData->WriteData(writer);
    writer.FlushBuffer();
}

void TScriptOutlineText::Load()
{
    // The outline is the one large body, read at start-up: a few big reads instead of a
    // system call per 4 KiB.
    TReader reader(AttachedStream(), kOutlineReadBuffer);
    TreeData->ReadData(reader);
}

}  // namespace lumarc
