#include "ScriptText.h"

#include "Coding.h"
#include "ScriptParser.h"

namespace lumarc {

void TScriptText::ParseBody(TScriptParser& parser)
{
    TParamScriptComponent::ParseScript(parser);
    Lines.Clear();
    const TScriptParser::TBody body = parser.NextBody();
    for (int i = body.Start; i <= body.Last; ++i)
        Lines.Add(parser.Lines[static_cast<size_t>(i)]);
    parser.Line = parser.Line - 1;
}

void TScriptText::ParseScript(TScriptParser& parser)
{
    ParseBody(parser);
}

void TScriptText::Store()
{
    TWriter writer(AttachedStream());
    TParamScriptComponent::Store();
    WriteStringList(writer, Lines);
    writer.FlushBuffer();
}

void TScriptText::Load()
{
    TReader reader(AttachedStream());
    ReadStringList(reader, Lines);
}

}  // namespace lumarc
