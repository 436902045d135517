#!/usr/bin/python3
"""Writes the spreadsheet test files with LibreOffice Calc itself, so they are
as a spreadsheet program writes them:
    apt-get install libreoffice-calc-nogui python3-uno
    tests/data/import/make-spreadsheets.py tests/data/import
"""
import os
import subprocess
import sys
import tempfile
import time
import zipfile

import uno
from com.sun.star.beans import PropertyValue


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


MEMBERS = [
    ["Naam", "Adres", "Postcode", "Woonplaats", "Land"],
    ["Jan de Vries", "Dorpsstraat 1", "1000 AB", "Amsterdam", ""],
    ["Hans Müller", "Hauptstraße 5", "'01067", "Dresden", "Duitsland"],  # text: the zero stays
    ["Jean Peeters", "Kerkstraat 10", 2000, "Antwerpen", "België"],      # a number cell
    [],
    ["Ayşe Yılmaz", "Lange Laan 7", "3511 AB", '=PROPER("utrecht")', ""],
    ["Zonder Adres"],
    ["Karl Schmidt", "Lindenweg 2", ("00000", 1069), "Dresden", "Deutschland"],  # a number shown as 01069
]


# A club's member file as its administration exports it: a title, the date of
# the export and a blank row above the column names; a house-number suffix of
# its own; a birth date and a fee as the sheet formats them.
CLUB = [
    ["Ledenlijst Harmonie Excelsior"],
    ["Export", ("DD-MM-YYYY", 44197)],
    [],
    ["Lidnummer", "Voornaam", "Tussenvoegsel", "Achternaam", "Straat", "Huisnummer", "Toevoeging", "Postcode",
     "Plaats", "Land", "E-mail", "Geboortedatum", "Contributie"],
    [1, "Jan", "de", "Vries", "Kanaalweg", 80, "A", "1234 AB", "Zwolle", "NL", "jan@example.nl",
     ("DD-MM-YYYY", 29221), ("0.00", 1.5)],
    [2, "Piet", "", "Bakker", "Kanaalweg", 80, "B", "1234 AB", "Zwolle", "Nederland", "", ("DD-MM-YYYY", 31048),
     ("0.00", 25)],
    [3, "Ans", "", "Smit", "Dorpsstraat", 8, "-2", "5611 EM", "Eindhoven", "", "", "", ""],
    [4, "Kees", "van", "Dam", "Lindelaan", 9, "bis", "2012 AB", "Haarlem", "", "", "", ""],
]


def fill(document, sheet, rows):
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            cell = sheet.getCellByPosition(c, r)
            if isinstance(value, tuple):
                code, value = value
                formats = document.NumberFormats
                locale = uno.createUnoStruct("com.sun.star.lang.Locale")
                key = formats.queryKey(code, locale, False)
                cell.NumberFormat = key if key >= 0 else formats.addNew(code, locale)
                cell.setValue(value)
            elif not isinstance(value, str):
                cell.setValue(value)
            elif value.startswith("="):
                cell.setFormula(value)
            elif value.startswith("'"):
                cell.setString(value[1:])
            elif value:
                cell.setString(value)


def save(document, folder, files):
    for name, filter_name, extra in files:
        url = uno.systemPathToFileUrl(os.path.abspath(os.path.join(folder, name)))
        document.storeToURL(url, tuple([prop("FilterName", filter_name), prop("Overwrite", True)] + extra))


def mark_hidden(path, sheet):
    with zipfile.ZipFile(path) as original:
        parts = [(info, original.read(info.filename)) for info in original.infolist()]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as marked:
        for info, data in parts:
            if info.filename == "xl/workbook.xml":
                data = data.replace(('name="%s" sheetId="1" state="visible"' % sheet).encode(),
                                    ('name="%s" sheetId="1" state="hidden"' % sheet).encode())
            marked.writestr(info, data)


def main(folder):
    port = 2202
    profile = tempfile.mkdtemp()
    office = subprocess.Popen(["soffice", "--headless", "--invisible", "--norestore",
                               "-env:UserInstallation=" + uno.systemPathToFileUrl(profile),
                               "--accept=socket,host=127.0.0.1,port=%d;urp;" % port])
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(100):
        try:
            context = resolver.resolve("uno:socket,host=127.0.0.1,port=%d;urp;StarOffice.ComponentContext" % port)
            break
        except Exception:
            time.sleep(0.2)
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    document = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (prop("Hidden", True),))
    members = document.Sheets.getByIndex(0)
    members.Name = "Leden"
    fill(document, members, MEMBERS)
    # Coloured to the sheet's end, as colouring whole columns leaves it: Calc
    # then writes a million empty rows as one repeated row.
    members.getCellRangeByName("A9:E1048576").CellBackColor = 0xFFFFCC
    document.Sheets.insertNewByName("Oud", 1)
    fill(document, document.Sheets.getByName("Oud"), [["Naam"], ["Niet Meenemen"]])
    save(document, folder, [("calc-leden.ods", "calc8", []), ("calc-leden.xlsx", "Calc MS Excel 2007 XML", []),
                             ("calc-wachtwoord.ods", "calc8", [prop("Password", "geheim")])])
    # The old members first, on a hidden sheet: no tab shows it.
    document.Sheets.moveByName("Oud", 0)
    document.Sheets.getByName("Oud").IsVisible = False
    save(document, folder, [("calc-verborgen-blad.ods", "calc8", []),
                             ("calc-verborgen-blad.xlsx", "Calc MS Excel 2007 XML", [])])
    # Calc run without a window writes every sheet of an .xlsx as shown: mark
    # the hidden one as Excel does.
    mark_hidden(os.path.join(folder, "calc-verborgen-blad.xlsx"), "Oud")
    document.close(True)
    club = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (prop("Hidden", True),))
    fill(club, club.Sheets.getByIndex(0), CLUB)
    save(club, folder, [("calc-titel.ods", "calc8", []), ("calc-titel.xlsx", "Calc MS Excel 2007 XML", [])])
    # Days counted from 1904, as old Mac workbooks do: the same dates must read the same.
    date = uno.createUnoStruct("com.sun.star.util.Date")
    date.Year, date.Month, date.Day = 1904, 1, 1
    club.NullDate = date
    fill(club, club.Sheets.getByIndex(0), [[("DD-MM-YYYY", cell[1] - 1462) if isinstance(cell, tuple) and cell[0] == "DD-MM-YYYY"
                                            else cell for cell in row] for row in CLUB])
    save(club, folder, [("calc-1904.xlsx", "Calc MS Excel 2007 XML", [])])
    club.close(True)
    try:
        desktop.terminate()
    except Exception:
        pass
    office.wait(timeout=60)


if __name__ == "__main__":
    main(sys.argv[1])
