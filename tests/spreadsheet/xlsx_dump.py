#!/usr/bin/env python3
"""Prints what an independent reader (openpyxl) finds in an .xlsx file, one
fact per line, tab-separated, for the export tests to compare:
  sheet  NAME
  cell   SHEET  A1  n|d|s|b  VALUE      (d: ISO date-time)
  merge  SHEET  A1:D1
  fit    SHEET  A1:D1  yes|no  (whether the merged cells are wide enough for their text)
  chart  SHEET  line|pie  TITLE
  series SHEET  NAME  CATEGORIES  VALUES
"""
import sys

import openpyxl


def title_text(chart):
    try:
        return "".join(run.t for p in chart.title.tx.rich.p for run in (p.r or []))
    except AttributeError:
        return ""


def series_name(series):
    try:
        return series.tx.v or ""
    except AttributeError:
        return ""


def reference(data):
    if data is None:
        return ""
    for name in ("numRef", "strRef"):
        ref = getattr(data, name, None)
        if ref is not None:
            return ref.f
    return ""


def display_width(text, font_size):
    # Spreadsheet widths count characters of the default 11-point font; a
    # Chinese character takes two.
    width = sum(2 if ord(c) > 0x2E7F else 1 for c in text)
    return width * (font_size or 11) / 11


def merge_fits(sheet, merged):
    cell = sheet.cell(merged.min_row, merged.min_col)
    if cell.value is None:
        return None
    columns = range(merged.min_col, merged.max_col + 1)
    width = sum(sheet.column_dimensions[openpyxl.utils.get_column_letter(c)].width or 8.43
                for c in columns)
    text = cell.value if isinstance(cell.value, str) else "%.13g" % cell.value
    return width >= display_width(text, cell.font.sz) + 1


def main(path):
    book = openpyxl.load_workbook(path)
    out = []
    for sheet in book.worksheets:
        out.append(("sheet", sheet.title))
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                if cell.is_date:
                    kind, value = "d", cell.value.isoformat(sep=" ")
                elif isinstance(cell.value, bool):
                    kind, value = "b", str(cell.value)
                elif isinstance(cell.value, (int, float)):
                    kind, value = "n", "%.13g" % cell.value
                else:
                    kind, value = "s", cell.value
                out.append(("cell", sheet.title, cell.coordinate, kind, value))
        for merged in sorted(sheet.merged_cells.ranges, key=str):
            out.append(("merge", sheet.title, str(merged)))
            fits = merge_fits(sheet, merged)
            if fits is not None:
                out.append(("fit", sheet.title, str(merged), "yes" if fits else "no"))
        for chart in sheet._charts:
            out.append(("chart", sheet.title, chart.tagname.replace("Chart", ""), title_text(chart)))
            for series in chart.series:
                out.append(("series", sheet.title, series_name(series),
                            reference(series.cat), reference(series.val)))
    for line in out:
        print("\t".join(line))


if __name__ == "__main__":
    main(sys.argv[1])
