#include "SearchableText.h"

#include "Coding.h"

namespace lumarc {

namespace {

void AppendComponentText(TReader& reader, std::string& text, std::vector<size_t>& lineStarts)
{
    // ShortName, LongName, FileName, Version, LastReview, Copyright, OS, Distribution,
    // Limitations, Price: only the long name and the file name are searched.
    std::string longName, fileName, skipped;
    for (int field = 0; field < 10; ++field) {
        std::string& target = field == 1 ? longName : field == 2 ? fileName : skipped;
        target.clear();
        AppendTaggedString(reader, target);
    }
    for (int i = 0; i < 3; ++i)  // Rating, Language, Compiler
        ReadByte(reader);
    // KeyWords, ShortInfo, LongInfo, Installation, Review are searched; Documentation, Contact
    // and Order are read past.
    for (int list = 0; list < 8; ++list) {
        if (list < 5) {
            AppendStringList(reader, text, &lineStarts);
        } else {
            skipped.clear();
            AppendStringList(reader, skipped);
        }
    }
    for (const std::string* line : {&longName, &fileName}) {
        lineStarts.push_back(text.size());
        text += *line;
        text += '\n';
    }
}

}  // namespace

void AppendSearchableText(TRecordKind kind, TReader& reader, std::string& text, std::vector<size_t>& lineStarts)
{
    switch (kind) {
    case TRecordKind::rkInfo:
    case TRecordKind::rkShort: AppendStringList(reader, text, &lineStarts); break;
    case TRecordKind::rkComponent: AppendComponentText(reader, text, lineStarts); break;
    case TRecordKind::rkNone: break;
    }
}

}  // namespace lumarc
