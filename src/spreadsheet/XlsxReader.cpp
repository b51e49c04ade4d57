#include "spreadsheet/XlsxReader.h"

#include "storage/values/Values.h"

#include <QXmlStreamReader>
#include <memory>
#include <zip.h>

namespace XlsxReader {
namespace {

// A menu's parts are small; a part larger than this is refused rather than
// unpacked, so a crafted file cannot exhaust the memory.
constexpr zip_uint64_t maximumPartSize = 256ull << 20;
// What a spreadsheet program itself allows.
constexpr std::size_t maximumRows = 1'048'576;
constexpr int maximumColumns = 16'384;

using Archive = std::unique_ptr<zip_t, decltype(&zip_discard)>;

std::optional<QByteArray> readPart(zip_t* archive, const std::string& name) {
    zip_stat_t stat;
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        stat.size > maximumPartSize)
        return std::nullopt;
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    if (!file)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    if (read != static_cast<zip_int64_t>(stat.size))
        return std::nullopt;
    return bytes;
}

// The text of an <si> or <is> element: its runs joined, phonetic hints left out.
QString stringItem(QXmlStreamReader& xml) {
    QString text;
    const QStringView end = xml.name();
    while (!(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == end) && !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == u"rPh")
            xml.skipCurrentElement();
        else if (xml.isStartElement() && xml.name() == u"t")
            text += xml.readElementText();
    }
    return text;
}

std::vector<std::string> sharedStrings(zip_t* archive) {
    std::vector<std::string> strings;
    const auto part = readPart(archive, "xl/sharedStrings.xml");
    if (!part)
        return strings;
    QXmlStreamReader xml(*part);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.push_back(stringItem(xml).toStdString());
    return strings;
}

// The target of the relationship with the given id, from the workbook's relations.
std::string relationTarget(zip_t* archive, const QString& id) {
    const auto part = readPart(archive, "xl/_rels/workbook.xml.rels");
    if (!part)
        return {};
    QXmlStreamReader xml(*part);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship" &&
            xml.attributes().value(QLatin1String("Id")) == id)
            return xml.attributes().value(QLatin1String("Target")).toString().toStdString();
    }
    return {};
}

// The part of the first sheet in the workbook's order of tabs.
std::string firstSheetPart(zip_t* archive) {
    const std::string fallback = "xl/worksheets/sheet1.xml";
    const auto part = readPart(archive, "xl/workbook.xml");
    if (!part)
        return fallback;
    QXmlStreamReader xml(*part);
    QString id;
    while (!xml.atEnd() && id.isEmpty())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
            for (const auto& attribute : xml.attributes())
                if (attribute.name() == u"id")
                    id = attribute.value().toString();
    std::string target = id.isEmpty() ? std::string() : relationTarget(archive, id);
    if (target.empty())
        return fallback;
    if (target.front() == '/')
        return target.substr(1);
    return "xl/" + target;
}

std::string cellText(QXmlStreamReader& xml, const std::vector<std::string>& shared) {
    const QString type = xml.attributes().value(QLatin1String("t")).toString();
    std::string value;
    while (!(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"c") &&
           !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"is")
            value = stringItem(xml).toStdString();
        else if (xml.name() == u"v")
            value = xml.readElementText().toStdString();
    }
    if (type == u"s") {
        const int index = Values::textToInt(value);
        return index >= 0 && index < static_cast<int>(shared.size()) ? shared[index] : "";
    }
    if (type == u"b")
        return value == "1" ? "TRUE" : "FALSE";
    if (type.isEmpty() || type == u"n")
        if (const auto number = Values::textAsNumber(value))
            return Values::numberToText(*number);
    return value;
}

} // namespace

int columnOf(const std::string& reference) {
    int column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i)
        column = column * 26 + (reference[i] - 'A' + 1);
    return i == 0 ? -1 : column - 1;
}

std::optional<SheetTable> readFirstSheet(const std::string& path) {
    int error = 0;
    Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &error), &zip_discard);
    if (!archive)
        return std::nullopt;
    const auto part = readPart(archive.get(), firstSheetPart(archive.get()));
    if (!part)
        return std::nullopt;
    const std::vector<std::string> shared = sharedStrings(archive.get());
    SheetTable table;
    std::size_t row = 0;
    QXmlStreamReader xml(*part);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"row") {
            // Rows may be numbered with gaps; empty rows keep their place.
            const int number = xml.attributes().value(QLatin1String("r")).toInt();
            row = number > 0 ? static_cast<std::size_t>(number - 1) : table.size();
        } else if (xml.name() == u"c") {
            const std::string reference =
                xml.attributes().value(QLatin1String("r")).toString().toStdString();
            const std::string text = cellText(xml, shared);
            if (row >= maximumRows)
                continue;
            if (row >= table.size())
                table.resize(row + 1);
            auto& cells = table[row];
            const int column =
                reference.empty() ? static_cast<int>(cells.size()) : columnOf(reference);
            if (column < 0 || column >= maximumColumns)
                continue;
            if (static_cast<std::size_t>(column) >= cells.size())
                cells.resize(column + 1);
            cells[column] = text;
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return table;
}

} // namespace XlsxReader
