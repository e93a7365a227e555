"""Form texts of the demo project: examples/DfmData/T<section>.dfmp.

One file per form section, made from the objects that make_demo.py lists
(class, texts, layout) plus what only a form holds: positions, nesting (page
controls and tab sheets, group boxes, a toolbar panel with Tag 1234, the main
menu), and properties that extraction leaves out (TabOrder, Checked,
ItemIndex, ActivePage, Visible ...). The texts are written the way the
binary-form converter writes them: 8-bit bytes (Windows-1252), two spaces of
indentation per level, CR LF, strings longer than 64 characters broken with
" +", characters below 32 and the apostrophe as "#" codes; a string that
Windows-1252 cannot hold is written as a wide string ("#" codes above 127).

check() runs `lngtool form-section` on each file and compares the section it
prints with the section of Demo.SrcLng (developer notes "_!" apart; separate
"TH" and "TF" hints compare as the merged "THF" extraction writes).
"""
import glob
import os
import re
import shutil
import subprocess
import sys


class Ident(str):
    """An identifier value (alClient, crHandPoint)."""


class SetV(list):
    """A set value: [fsBold, fsItalic]."""


class O:
    """One object of a form. cls None: the class make_demo.py gives it.

    at: (left, top) for listed objects, whose size comes from their layout;
    (left, top, width, height) for the objects only the form has."""

    def __init__(self, name, cls=None, at=None, props=(), kids=()):
        self.name, self.cls, self.at, self.props, self.kids = name, cls, at, list(props), list(kids)


# ---------------------------------------------------------------- writing like the converter

CHARS_PER_LINE = 64


class Writer:
    def __init__(self):
        self.out = bytearray()

    def put(self, data):
        self.out += data if isinstance(data, (bytes, bytearray)) else data.encode("ascii")

    def newline(self, level):
        self.put("\r\n" + "  " * level)

    def runs(self, units, breaks, level, is_code, raw):
        quoted = False
        nb = 0
        for i, c in enumerate(units):
            if nb < len(breaks) and breaks[nb] == i:
                nb += 1
                if quoted:
                    self.put("'")
                quoted = False
                self.put(" +")
                self.newline(level + 1)
            if is_code(c):
                if quoted:
                    self.put("'")
                quoted = False
                self.put("#%d" % c)
            else:
                if not quoted:
                    self.put("'")
                quoted = True
                self.out.append(raw(c))
        if quoted:
            self.put("'")

    def literal(self, text, level, at_line_start):
        text = re.sub(r"\r\n|\n", "\r\n", text)
        if not text:
            return self.put("''")
        try:
            data = text.encode("cp1252")
        except UnicodeEncodeError:
            return self.wide_literal(text, level, at_line_start)
        if len(data) > CHARS_PER_LINE and not at_line_start:
            self.newline(level + 1)
        breaks, pos = [], 0
        while len(data) - pos > CHARS_PER_LINE:
            b = j = pos + CHARS_PER_LINE
            while j > pos + 1 and j + 3 > b and (data[j] & 0xC0) == 0x80:
                j -= 1
            if j < b and 0xC0 <= data[j] <= 0xF7:
                b = j
            breaks.append(b)
            pos = b
        self.runs(list(data), breaks, level, lambda c: c < 32 or c == 39, lambda c: c)

    def wide_literal(self, text, level, at_line_start):
        raw = text.encode("utf-16-le")
        units = [raw[k] | raw[k + 1] << 8 for k in range(0, len(raw), 2)]
        if len(units) > CHARS_PER_LINE and not at_line_start:
            self.newline(level + 1)
        breaks = list(range(CHARS_PER_LINE, len(units), CHARS_PER_LINE))
        self.runs(units, breaks, level, lambda c: c < 32 or c == 39 or c > 127, lambda c: c)

    def value(self, v, level, at_line_start=False):
        if isinstance(v, bool):
            self.put("True" if v else "False")
        elif isinstance(v, int):
            self.put(str(v))
        elif isinstance(v, Ident):
            self.put(str(v))
        elif isinstance(v, SetV):
            self.put("[" + ", ".join(v) + "]")
        elif isinstance(v, str):
            self.literal(v, level, at_line_start)
        elif isinstance(v, list):
            self.put("(")
            for item in v:
                self.newline(level + 1)
                self.value(item, level + 1, True)
            self.put(")")
        else:
            raise TypeError(v)

    def obj(self, name, cls, props, kids, level):
        self.put("  " * level + "object " + (name + ": " if name else "") + cls + "\r\n")
        for prop, v in props:
            self.put("  " * (level + 1) + prop + " = ")
            self.value(v, level + 1)
            self.put("\r\n")
        for kid in kids:
            kid(self, level + 1)
        self.put("  " * level + "end\r\n")


# ---------------------------------------------------------------- from the demo's object lists

PROPERTY_OF_KIND = {"VC": "Caption", "VH": "Hint", "VI": "Items.Strings", "VT": "Lines.Strings", "IT": "ItemText",
                    "TC": "ToolText.Caption", "TH": "ToolText.Hint", "TF": "ToolText.FullHint", "TS": "Tabs.Strings"}


def layout_value(v):
    if isinstance(v, int):
        return v
    if v in ("True", "False"):
        return v == "True"
    if v.startswith("["):
        return SetV(n.strip() for n in v[1:-1].split(",") if n.strip())
    return Ident(v)


def text_props(t):
    """Form properties of one text of make_demo.py (English source)."""
    if t.kind == "THF":
        short, _, full = t.src.partition("|")
        return ([("ToolText.Hint", short)] if short else []) + ([("ToolText.FullHint", full)] if full else [])
    if t.kind == "IT":
        # The item text of the product's combo boxes: quoted items joined by commas.
        return [("ItemText", ",".join('"%s"' % item for item in t.src))]
    if t.kind in ("VI", "VT", "TS"):
        return [(PROPERTY_OF_KIND[t.kind], re.split(r"\r\n|\n", t.src))]
    return [(PROPERTY_OF_KIND[t.kind], t.src)]


def build_form(section, root):
    objects = section.objects
    placed = []

    def emit(o):
        def write(w, level):
            info = objects.get(o.name)
            placed.append(o.name)
            props = []
            if o.at:
                props += [("Left", o.at[0]), ("Top", o.at[1])]
            if info is None:
                assert o.cls, "%s: %s is not in the demo's object list and has no class" % (section.name, o.name)
                if o.at and len(o.at) == 4:
                    props += [("Width", o.at[2]), ("Height", o.at[3])]
                cls = o.cls
            else:
                assert o.at is None or len(o.at) == 2, o.name + ": the size comes from the layout"
                cls = info["cls"]
                props += [(p, layout_value(v)) for p, v in info["layout"]]
                if info["aid"] is not None:
                    props.append(("ActionID", info["aid"]))
                for t in info["texts"]:
                    props += text_props(t)
                if info["thf"] is not None:
                    props += text_props(info["thf"])
            props += o.props
            w.obj(o.name, cls, props, [emit(k) for k in o.kids], level)
        return write

    w = Writer()
    emit(root)(w, 0)
    missing = [n for n in objects if n not in placed]
    twice = sorted({n for n in placed if placed.count(n) > 1})
    assert not missing and not twice, "%s: objects missing %s, placed twice %s" % (section.name, missing, twice)
    return bytes(w.out)


def font(size=-11):
    return [("Font.Charset", Ident("DEFAULT_CHARSET")), ("Font.Color", Ident("clWindowText")),
            ("Font.Height", size), ("Font.Name", "Trebuchet MS"), ("Font.Style", SetV())]


def form(name, left, top, props=(), kids=(), size=None):
    head = [("BorderStyle", Ident("bsDialog")), ("Position", Ident("poDesigned"))]
    tail = font() + [("KeyPreview", True), ("OldCreateOrder", False), ("PixelsPerInch", 96), ("TextHeight", 16)]
    return O(name, "TTntForm", at=(left, top) + (size or ()), props=head + list(props) + tail, kids=kids)


def tab(n):
    return [("TabOrder", n)]


# ---------------------------------------------------------------- the seven forms

def main_menu():
    def item(name, kids=(), props=()):
        return O(name, props=list(props), kids=kids)

    sep = iter(range(1, 100))

    def separator():
        return O("N%d" % next(sep), "TTntMenuItem", props=[("Caption", "-")])

    return form("TID_MainMenu0", 120, 80, size=(640, 120), kids=[
        O("MainMenu0", "TTntMainMenu", at=(16, 8), props=[("AutoHotkeys", Ident("maManual"))], kids=[
            item("mnuFile", [item("mnuFileNew"), item("mnuFileOpen"), item("mnuFileReopen"), separator(),
                             item("mnuFileImport"), item("mnuFileExport"), separator(), item("mnuFilePrint"),
                             item("mnuFilePrintPreview"), separator(), item("mnuFileExit")]),
            item("mnuEdit", [item("mnuEditUndo"), separator(), item("mnuEditCut"), item("mnuEditCopy"),
                             item("mnuEditPaste"), item("mnuEditSelectAll"), separator(), item("mnuEditFind"),
                             item("mnuEditRename")]),
            item("mnuView", [item("mnuViewThumbnails", props=[("Checked", True), ("RadioItem", True)]),
                             item("mnuViewDetails", props=[("RadioItem", True)]), separator(),
                             item("mnuViewPreviewPane"), item("mnuViewFullScreen"), separator(),
                             item("mnuViewSortBy")]),
            item("mnuTools", [item("mnuToolsSlideshow"), item("mnuToolsBatchRename"), item("mnuToolsDuplicates"),
                              separator(), item("mnuToolsOptions")]),
            item("mnuHelp", [item("mnuHelpContents"), item("mnuHelpUpdates"), separator(), item("mnuHelpAbout")]),
        ]),
    ])


def main_toolbar():
    def hot(name, left, top=2):
        return O(name, at=(left, top), props=[("ParentShowHint", False)])

    return form("TID_MainToolbar", 100, 60, size=(760, 100), kids=[
        # The product lines up the buttons of a panel tagged 1234 itself.
        O("pnlToolbar", "TPanel", at=(0, 0, 744, 60),
          props=[("Align", Ident("alTop")), ("BevelOuter", Ident("bvNone")), ("Tag", 1234)] + tab(0), kids=[
              hot("hbNew", 1), hot("hbOpen", 68), hot("hbImport", 135), hot("hbSync", 202), hot("hbShare", 269),
              O("bvlTools", "TBevel", at=(336, 4, 2, 52), props=[("Shape", Ident("bsLeftLine"))]),
              hot("hbSlideshow", 342, 16), hot("hbDelete", 441, 18), hot("hbRotate", 468, 18),
          ]),
        O("pnlFilter", "TPanel", at=(0, 60, 744, 32),
          props=[("Align", Ident("alTop")), ("BevelOuter", Ident("bvNone"))] + tab(1), kids=[
              O("seSearch", at=(4, 4), props=tab(0)),
              O("pbFilter", at=(188, 4), props=tab(1)),
              O("pbClearFilter", at=(272, 4), props=tab(2)),
              O("scPreview", at=(340, 6), props=tab(3)),
              O("srGrid", at=(464, 6), props=[("Checked", True)] + tab(4)),
              O("srList", at=(528, 6), props=tab(5)),
              O("hbFavourites", at=(594, 2)),
          ]),
    ])


def options_dlg():
    return form("TID_OptionsDlg", 200, 120, kids=[
        O("pcOptions", "TPageControl", at=(8, 8, 504, 384), props=[("ActivePage", Ident("tabGeneral"))] + tab(0),
          kids=[
              O("tabGeneral", kids=[
                  O("lblLanguage", at=(8, 12), props=[("FocusControl", Ident("cbLanguage"))]),
                  O("cbLanguage", at=(104, 8), props=[("Style", Ident("csDropDownList")), ("ItemIndex", 2)] + tab(0)),
                  O("gbStartup", at=(8, 40), props=tab(1), kids=[
                      O("rbStartEmpty", at=(12, 20), props=tab(0)),
                      O("rbStartLast", at=(12, 44), props=[("Checked", True)] + tab(1)),
                      O("rbStartWelcome", at=(12, 68), props=tab(2)),
                  ]),
                  O("chkCheckUpdates", at=(8, 148), props=[("Checked", True), ("State", Ident("cbChecked"))] + tab(2)),
                  O("chkConfirmDelete", at=(8, 172), props=tab(3)),
                  O("chkTrayIcon", at=(8, 196), props=tab(4)),
              ]),
              O("tabAppearance", props=[("ImageIndex", 1)], kids=[
                  O("lblTheme", at=(8, 12)),
                  O("cbTheme", at=(136, 8), props=[("Style", Ident("csDropDownList")), ("Text", "Light")] + tab(0)),
                  O("lblThumbSize", at=(8, 44)),
                  O("cbThumbSize", at=(136, 40), props=[("Style", Ident("csDropDownList"))] + tab(1)),
                  O("gbFont", at=(8, 76), props=tab(2), kids=[
                      O("lblFontSample", at=(12, 28), props=[("ParentFont", False)]),
                  ]),
                  O("chkShowFileExt", at=(8, 168), props=tab(3)),
              ]),
              O("tabFolders", props=[("ImageIndex", 2)], kids=[
                  O("lblLibraryFolder", at=(8, 12)),
                  O("edLibraryFolder", at=(8, 30), props=[("Text", "C:\\Users\\Public\\Pictures")] + tab(0)),
                  O("btnBrowse", at=(346, 29), props=tab(1)),
                  O("lblWatchedFolders", at=(8, 64)),
                  O("lbWatchedFolders", at=(8, 82), props=[("ItemHeight", 16)] + tab(2)),
                  O("btnAddFolder", at=(346, 82), props=tab(3)),
                  O("btnRemoveFolder", at=(346, 111), props=[("Enabled", False)] + tab(4)),
              ]),
              O("tabAdvanced", props=[("ImageIndex", 3)], kids=[
                  O("tcAdvanced", at=(8, 140), props=[("TabIndex", 0)]),
                  O("lblCacheSize", at=(8, 12)),
                  O("btnClearCache", at=(196, 8), props=tab(0)),
                  O("mmAdvancedInfo", at=(8, 40), props=[("ReadOnly", True), ("ScrollBars", Ident("ssVertical"))]
                    + tab(1)),
                  O("chkDebugLog", at=(8, 108), props=tab(2)),
              ]),
          ]),
        O("btnOK", at=(269, 400), props=[("Default", True), ("ModalResult", 1)] + tab(1)),
        O("btnCancel", at=(350, 400), props=[("Cancel", True), ("ModalResult", 2)] + tab(2)),
        O("btnHelp", at=(431, 400), props=tab(3)),
    ])


def search_dlg():
    return form("TID_SearchDlg", 240, 160, kids=[
        O("lblFindWhat", at=(12, 4)),
        O("lblResultCount", at=(100, 4), props=[("Font.Color", Ident("clGrayText")), ("ParentFont", False)]),
        O("edFindWhat", at=(12, 20), props=tab(0)),
        O("lblLookIn", at=(12, 49)),
        O("cbLookIn", at=(100, 46), props=[("Style", Ident("csDropDownList")), ("ItemIndex", 3)] + tab(1)),
        O("lblKind", at=(12, 74)),
        O("cbKind", at=(100, 71), props=[("Style", Ident("csDropDownList"))] + tab(2)),
        O("btnFind", at=(327, 18), props=tab(3)),
        O("btnStop", at=(327, 44), props=[("Enabled", False)] + tab(4)),
        O("btnClose", at=(327, 70), props=[("Cancel", True)] + tab(5)),
        O("gbOptions", at=(12, 98), props=tab(6), kids=[
            O("chkMatchCase", at=(12, 20), props=tab(0)),
            O("chkWholeWords", at=(12, 44), props=tab(1)),
            O("chkSubfolders", at=(12, 68), props=[("Checked", True), ("State", Ident("cbChecked"))] + tab(2)),
            O("rbAnyDate", at=(200, 20), props=[("Checked", True)] + tab(3)),
            O("rbLastWeek", at=(200, 44), props=tab(4)),
            O("rbBetween", at=(200, 68), props=tab(5)),
            O("lblAnd", at=(330, 70), props=[("Height", 16)]),
        ]),
        # Holds the results; its class is the product's own list view.
        O("lvResults", at=(12, 211), props=[("ViewStyle", Ident("vsReport"))] + tab(7)),
        O("lblNoTitle", at=(20, 240), props=[("Visible", False)]),
    ])


def export_wizard():
    def sheet(name, kids):
        return O(name, kids=kids)

    return form("TID_ExportWizard", 180, 100, kids=[
        O("pcWizard", "TPageControl", at=(0, 0, 560, 352), props=[("ActivePage", Ident("tsWelcome"))] + tab(0), kids=[
            sheet("tsWelcome", [
                O("lblWelcomeTitle", at=(16, 16), props=[("ParentFont", False)]),
                O("mmWelcome", at=(16, 52), props=[("BorderStyle", Ident("bsNone")), ("ReadOnly", True)] + tab(0)),
            ]),
            sheet("tsTarget", [
                O("lblTargetQuestion", at=(16, 16)),
                O("rbToFolder", at=(16, 44), props=[("Checked", True)] + tab(0)),
                O("rbToDisc", at=(16, 68), props=tab(1)),
                O("rbToWeb", at=(16, 92), props=tab(2)),
                O("lblFolder", at=(16, 128)),
                O("edFolder", at=(80, 124), props=tab(3)),
            ]),
            sheet("tsFormat", [
                O("lblPictureFormat", at=(16, 20)),
                O("cbPictureFormat", at=(132, 16), props=[("Style", Ident("csDropDownList"))] + tab(0)),
                O("lblMaxSize", at=(16, 52)),
                O("cbMaxSize", at=(132, 48), props=[("Style", Ident("csDropDownList")), ("ItemIndex", 0)] + tab(1)),
                O("chkKeepMetadata", at=(16, 84), props=[("Checked", True), ("State", Ident("cbChecked"))] + tab(2)),
                O("chkRenameFiles", at=(16, 108), props=tab(3)),
            ]),
            sheet("tsSummary", [
                O("lblSummary", at=(16, 16)),
                O("mmSummary", at=(16, 40), props=[("ReadOnly", True)] + tab(0)),
                O("pbExport", at=(16, 140), props=[("Max", 100), ("Position", 40)]),
            ]),
        ]),
        O("btnBack", at=(232, 360), props=[("Enabled", False)] + tab(1)),
        O("btnNext", at=(312, 360), props=tab(2)),
        O("btnFinish", at=(392, 360), props=tab(3)),
        O("btnCancel", at=(472, 360), props=tab(4)),
    ])


def about_box():
    return form("TID_AboutBox", 260, 180, kids=[
        O("imgLogo", "TImage", at=(340, 16, 64, 64), props=[("Stretch", True)]),
        O("lblProduct", at=(16, 16), props=[("ParentFont", False)]),
        O("lblVersion", at=(16, 50)),
        O("lblCopyright", at=(16, 70)),
        O("lblWebsite", at=(16, 90), props=[("Font.Color", Ident("clHotLight")), ("ParentFont", False)]),
        O("mmCredits", at=(16, 114), props=[("ReadOnly", True), ("ScrollBars", Ident("ssVertical"))] + tab(0)),
        O("lblLicensedTo", at=(16, 232)),
        O("btnLicense", at=(16, 282), props=tab(1)),
        O("btnSystemInfo", at=(112, 282), props=tab(2)),
        O("btnAboutOK", at=(329, 282), props=[("Default", True), ("ModalResult", 1)] + tab(3)),
    ])


def print_dlg():
    return form("TID_PrintDlg", 220, 140, kids=[
        O("lblPrinter", at=(12, 16)),
        O("cbPrinter", at=(88, 12), props=[("Style", Ident("csDropDownList"))] + tab(0)),
        O("btnPrinterProps", at=(356, 11), props=tab(1)),
        O("gbLayout", at=(12, 44), props=tab(2), kids=[
            O("lbLayouts", at=(10, 22), props=[("ItemHeight", 16), ("ItemIndex", 0)] + tab(0)),
        ]),
        O("gbOrientation", at=(224, 44), props=tab(3), kids=[
            O("rbPortrait", at=(10, 24), props=[("Checked", True)]),
            O("rbLandscape", at=(104, 24)),
        ]),
        O("lblCopies", at=(224, 124)),
        O("seCopies", "TSpinEdit", at=(340, 120, 60, 24), props=[("MaxValue", 99), ("MinValue", 1), ("Value", 1)]
          + tab(4)),
        O("scCollate", at=(224, 152), props=tab(5)),
        O("chkFitToPage", at=(12, 206), props=[("Checked", True), ("State", Ident("cbChecked"))] + tab(6)),
        O("chkPrintCaptions", at=(12, 230), props=tab(7)),
        O("lblMargins", at=(12, 258)),
        O("lblPageCount", at=(120, 258), props=[("Alignment", Ident("taRightJustify"))]),
        O("btnPrint", at=(208, 340), props=tab(8)),
        O("btnPreview", at=(289, 340), props=tab(9)),
        O("btnPrintCancel", at=(370, 340), props=[("Cancel", True)] + tab(10)),
    ])


FORMS = {
    "TID_MainMenu0": main_menu,
    "TID_MainToolbar": main_toolbar,
    "TID_OptionsDlg": options_dlg,
    "TID_SearchDlg": search_dlg,
    "TID_ExportWizard": export_wizard,
    "TID_AboutBox": about_box,
    "TID_PrintDlg": print_dlg,
}


def form_texts(sections):
    """{path relative to examples/: bytes} of the form text files."""
    by_name = {s.name: s for s in sections}
    return {os.path.join("DfmData", "T%s.dfmp" % name): build_form(by_name[name], make())
            for name, make in FORMS.items()}


# ---------------------------------------------------------------- checking

def find_lngtool(root):
    if os.environ.get("LNGTOOL"):
        return os.environ["LNGTOOL"]
    for path in [os.path.join(root, "build", "release", "app", "lngtool")] + \
            sorted(glob.glob(os.path.join(root, "build", "*", "app", "lngtool"))):
        if os.access(path, os.X_OK):
            return path
    return shutil.which("lngtool")


def blocks(lines):
    """Entry lines grouped by object name, the "TH" and "TF" hints merged into "THF" as extraction does."""
    out = {}
    for line in lines:
        key = line.split(b"=", 1)[0]
        out.setdefault(key.rsplit(b".", 1)[0], []).append(line)
    for name, entries in out.items():
        hint = full = b""
        kept = []
        for line in entries:
            key, value = line.split(b"=", 1)
            if key.endswith(b".TH"):
                hint = hint or value
            elif key.endswith(b".TF"):
                full = full or value
            else:
                kept.append(line)
        if hint or full:
            kept.append(name + b".THF=" + hint + (b"|" + full if full else b""))
        out[name] = kept
    return out


def check(out_dir, root, src_ini, required):
    """Compares the section lngtool builds from each form text with the source section.

    Returns a list of problems; without lngtool that is a problem only when required."""
    lngtool = find_lngtool(root)
    if not lngtool:
        msg = "lngtool not found (build it, or set LNGTOOL): the form texts were not compared"
        if required:
            return [msg]
        print("# " + msg)
        return []
    source = {name: [k.encode("latin-1") + b"=" + v for k, v in lines if k is not None and "._!" not in k]
              for name, lines in src_ini}
    problems = []
    for name in FORMS:
        path = os.path.join(out_dir, "DfmData", "T%s.dfmp" % name)
        run = subprocess.run([lngtool, "form-section", path], capture_output=True)
        if run.returncode != 0:
            problems.append("%s: lngtool form-section failed: %s" % (path, run.stderr.decode(errors="replace")))
            continue
        lines = [l for l in run.stdout.split(b"\n") if l.strip()]
        if not lines or lines[0] != b"[" + name.encode() + b"]":
            problems.append("%s: section header %r" % (path, lines[:1]))
            continue
        got, want = blocks(lines[1:]), blocks(source.get(name, []))
        for obj in sorted(set(got) | set(want)):
            if got.get(obj) != want.get(obj):
                problems.append("%s: %s differs from the source:\n  form text: %r\n  source:    %r"
                                % (path, obj.decode(), got.get(obj), want.get(obj)))
    if not problems:
        print("form texts: %d sections agree with the source (%s)" % (len(FORMS), os.path.basename(lngtool)))
    return problems


if __name__ == "__main__":
    sys.exit("run scripts/make_demo.py")
