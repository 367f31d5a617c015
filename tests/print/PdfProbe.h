#pragma once
// Reads back a printed PDF through the poppler command line tools: its text as laid out,
// its page count and title, and every word with its box in points (origin top-left).

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

namespace lumarc::test {

struct TPdfWord {
    int page = 0;
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

inline QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text as `pdftotext -layout` lays it out, one entry per printed row; pages are separated
// by form feeds, which are dropped here.
inline QStringList PdfLayoutLines(const QString& path)
{
    QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    text.remove(QLatin1Char('\f'));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

inline QStringList NonEmptyTrimmed(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            result << line.trimmed();
    return result;
}

inline QString PdfInfoField(const QString& path, const QString& field)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpression re(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
    const auto match = re.match(info);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

inline int PdfPageCount(const QString& path)
{
    bool ok = false;
    const int pages = PdfInfoField(path, QStringLiteral("Pages")).toInt(&ok);
    return ok ? pages : -1;
}

inline std::vector<TPdfWord> PdfWords(const QString& path)
{
    const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    std::vector<TPdfWord> words;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.push_back({page, match.captured(5), match.captured(1).toDouble(), match.captured(2).toDouble(),
                         match.captured(3).toDouble(), match.captured(4).toDouble()});
    }
    return words;
}

inline const TPdfWord* FindWord(const std::vector<TPdfWord>& words, const QString& text)
{
    for (const TPdfWord& word : words)
        if (word.text == text)
            return &word;
    return nullptr;
}

}  // namespace lumarc::test
