#include "support/PdfTools.h"

#include <QProcess>
#include <QRegularExpression>

namespace PdfTools {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString text(const QString& pdf, int page) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    return run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

int pages(const QString& pdf) {
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QList<int> picturesPerPage(const QString& pdf) {
    QList<int> counts(pages(pdf), 0);
    const QStringList lines =
        run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(' ');
        if (fields.size() < 3 || fields[2] != QStringLiteral("image"))
            continue; // soft masks are the alpha of a picture, not one more
        const int page = fields[0].toInt();
        if (page >= 1 && page <= counts.size())
            ++counts[page - 1];
    }
    return counts;
}

} // namespace PdfTools
