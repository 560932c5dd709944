#!/usr/bin/env python3
# Prints a workbook (.xlsx) as its XML holds it, for the tests: records end with \x1e, fields
# with \x1f. The first record describes the sheet (frozen cell, filter range, column widths,
# hyperlinks), each other one cell (row, column, kind, style, text), each text as Excel shows it.
import re, sys, zipfile, xml.etree.ElementTree as E
m = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
z = zipfile.ZipFile(sys.argv[1])
def shown(t): return re.sub('_x([0-9A-Fa-f]{4})_', lambda h: chr(int(h.group(1), 16)), t)
def text(e): return shown(''.join(t.text or '' for t in e.iter(m + 't')))
strings = [text(si) for si in E.fromstring(z.read('xl/sharedStrings.xml')).findall(m + 'si')] \
    if 'xl/sharedStrings.xml' in z.namelist() else []
styles = E.fromstring(z.read('xl/styles.xml'))
fonts = styles.findall(m + 'fonts/' + m + 'font')
xfs = styles.findall(m + 'cellXfs/' + m + 'xf')
def style(i):
    xf = xfs[int(i)]
    a = xf.find(m + 'alignment')
    return ('B' if fonts[int(xf.get('fontId', '0'))].find(m + 'b') is not None else '') + \
        ('T' if xf.get('numFmtId') == '49' else '') + \
        ('W' if a is not None and a.get('wrapText') == '1' else '')
sheet = E.fromstring(z.read('xl/worksheets/sheet1.xml'))
pane = sheet.find('.//' + m + 'pane')
f = sheet.find(m + 'autoFilter')
out = [[pane.get('topLeftCell') if pane is not None and pane.get('state') == 'frozen' else '',
        f.get('ref') if f is not None else '',
        ' '.join(c.get('width') for c in sheet.findall(m + 'cols/' + m + 'col')),
        str(len(sheet.findall('.//' + m + 'hyperlink')))]]
for c in sheet.iter(m + 'c'):
    ref = re.match('([A-Z]+)([0-9]+)', c.get('r'))
    col = 0
    for letter in ref.group(1): col = col * 26 + ord(letter) - 64
    t = c.get('t', 'n')
    v = c.find(m + 'v')
    value = strings[int(v.text)] if t == 's' else text(c) if t == 'inlineStr' else \
        (v.text if v is not None else '')
    kind = 'f' if c.find(m + 'f') is not None else 's' if t in ('s', 'inlineStr') else t
    out.append([str(int(ref.group(2)) - 1), str(col - 1), kind, style(c.get('s', '0')), value])
sys.stdout.write(''.join('\x1f'.join(r) + '\x1e' for r in out))
