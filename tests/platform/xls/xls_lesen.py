#!/usr/bin/env python3
"""Reads an .xls workbook with xlrd and prints it as JSON on stdout.

Each cell becomes one string: "" for an empty cell, "s:" + text, "n:" + number
(integers without a fraction), "d:" + dd.mm.yyyy for a date cell, "?:" + the
cell type for anything else. xlrd's own warnings go to stderr.
"""
import json
import sys

import xlrd


def cell_text(book, cell):
    if cell.ctype == xlrd.XL_CELL_EMPTY or cell.ctype == xlrd.XL_CELL_BLANK:
        return ""
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return "s:" + cell.value
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        v = cell.value
        return "n:" + (str(int(v)) if v == int(v) and abs(v) < 1e15 else repr(v))
    if cell.ctype == xlrd.XL_CELL_DATE:
        y, m, d, _, _, _ = xlrd.xldate_as_tuple(cell.value, book.datemode)
        return "d:%02d.%02d.%04d" % (d, m, y)
    return "?:%d" % cell.ctype


def main():
    book = xlrd.open_workbook(sys.argv[1], logfile=sys.stderr)
    sheets = []
    for sheet in book.sheets():
        rows = [[cell_text(book, sheet.cell(r, c)) for c in range(sheet.ncols)] for r in range(sheet.nrows)]
        sheets.append({"name": sheet.name, "rows": rows})
    json.dump({"biff": book.biff_version, "sheets": sheets}, sys.stdout)


if __name__ == "__main__":
    main()
