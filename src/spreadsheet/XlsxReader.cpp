#include "spreadsheet/XlsxReader.h"

#include "spreadsheet/ZipEntryDevice.h"
#include "storage/values/Values.h"

#include <QXmlStreamReader>
#include <memory>
#include <zip.h>

namespace XlsxReader {
namespace {

// Limits on what a part may unpack to. The sheet is read as it unpacks, so
// its limit bounds the time; the shared strings are held, so theirs bounds
// the memory.
constexpr qint64 smallPartLimit = 4 << 20;
constexpr qint64 sharedStringsLimit = 16 << 20;
constexpr qint64 sheetLimit = 64 << 20;

const std::string unreadable = "无法读取这个Excel文件，请另存为.xlsx或.csv后重试。";
const std::string tooLarge = "这个Excel文件解压后太大，不像是一份菜单。";

using Archive = std::unique_ptr<zip_t, decltype(&zip_discard)>;

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

bool sharedStrings(zip_t* archive, std::vector<std::string>& strings, std::string& problem) {
    ZipEntryDevice part(archive, "xl/sharedStrings.xml", sharedStringsLimit);
    if (!part.found())
        return true;
    QXmlStreamReader xml(&part);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.push_back(stringItem(xml).toStdString());
    if (!xml.hasError())
        return true;
    problem = part.pastLimit() ? tooLarge : unreadable;
    return false;
}

// The value of the attribute of the first element with the given name whose
// attribute match has the value wanted (any, when match is empty).
QString attributeOf(zip_t* archive, const std::string& partName, QStringView element,
                    QLatin1String match, const QString& wanted, QStringView attribute) {
    ZipEntryDevice part(archive, partName, smallPartLimit);
    if (!part.found())
        return {};
    QXmlStreamReader xml(&part);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != element)
            continue;
        if (match.size() && xml.attributes().value(match) != wanted)
            continue;
        for (const auto& a : xml.attributes())
            if (a.name() == attribute)
                return a.value().toString();
    }
    return {};
}

// The part of the first sheet in the workbook's order of tabs.
std::string firstSheetPart(zip_t* archive) {
    const std::string fallback = "xl/worksheets/sheet1.xml";
    const QString id = attributeOf(archive, "xl/workbook.xml", u"sheet", {}, {}, u"id");
    const std::string target =
        id.isEmpty() ? std::string()
                     : attributeOf(archive, "xl/_rels/workbook.xml.rels", u"Relationship",
                                   QLatin1String("Id"), id, u"Target")
                           .toStdString();
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

// The rows of the sheet into the picker; false when a row lies past its limits.
bool readRows(QXmlStreamReader& xml, const std::vector<std::string>& shared, ColumnPicker& rows) {
    std::size_t line = 0;
    int column = -1;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"row")
            rows.endRow();
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"row") {
            // Rows may be numbered with gaps; empty rows keep their place.
            const int number = xml.attributes().value(QLatin1String("r")).toInt();
            line = number > 0 ? static_cast<std::size_t>(number) : line + 1;
            rows.startRow(line);
            column = -1;
        } else if (xml.name() == u"c") {
            const QStringView reference = xml.attributes().value(QLatin1String("r"));
            column =
                reference.isEmpty() ? column + 1 : columnOf(reference.toString().toStdString());
            if (!rows.cell(column, cellText(xml, shared)))
                return false;
        }
    }
    return true;
}

} // namespace

int columnOf(const std::string& reference) {
    int column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
        column = column * 26 + (reference[i] - 'A' + 1);
        if (column > ColumnPicker::maximumColumns)
            return -1;
    }
    return i == 0 ? -1 : column - 1;
}

bool readFirstSheet(const std::string& path, ColumnPicker& rows, std::string& problem) {
    int error = 0;
    Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &error), &zip_discard);
    problem = unreadable;
    std::vector<std::string> shared;
    if (!archive || !sharedStrings(archive.get(), shared, problem))
        return false;
    ZipEntryDevice part(archive.get(), firstSheetPart(archive.get()), sheetLimit);
    if (!part.found())
        return false;
    QXmlStreamReader xml(&part);
    if (!readRows(xml, shared, rows)) {
        problem = rows.problem();
        return false;
    }
    if (xml.hasError()) {
        problem = part.pastLimit() ? tooLarge : unreadable;
        return false;
    }
    problem.clear();
    return true;
}

std::optional<SheetTable> readFirstSheet(const std::string& path) {
    ColumnPicker rows;
    std::string problem;
    if (!readFirstSheet(path, rows, problem))
        return std::nullopt;
    return rows.take();
}

} // namespace XlsxReader
