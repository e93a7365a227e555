#!/usr/bin/env python3
"""Writes the demo language project examples/Demo.{SrcLng,kxLng,AutoLng}.

The texts below are wide text (real line breaks, real non-ASCII characters);
this script turns them into the stored form the client reads: backslash
escapes, UTF-8 per UTF-16 code unit (so characters beyond U+FFFF become two
three-byte surrogate sequences), single-line values, CR LF line ends, no BOM.
Keys of one object follow the order the extraction writes: class name, text
keys, layout keys (only for objects with a width), merged tool hint last.

Run from anywhere:  python3 scripts/make_demo.py  (add --check to only verify).
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "examples")
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demo_forms  # noqa: E402  (examples/DfmData: the form texts)

# ---------------------------------------------------------------- stored form


def escape_text(text):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c in "\r\n":
            # CR LF and LF CR are one line break.
            if i + 1 < len(text) and text[i + 1] in "\r\n" and text[i + 1] != c:
                i += 1
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif c == "\\":
            out.append("\\\\")
        elif ord(c) < 32:
            out.append("\\%02d" % ord(c))
        else:
            out.append(c)
        i += 1
    return "".join(out)


def utf8_per_code_unit(text):
    units = text.encode("utf-16-le")
    out = bytearray()
    for k in range(0, len(units), 2):
        u = units[k] | (units[k + 1] << 8)
        if u < 0x80:
            out.append(u)
        elif u < 0x800:
            out += bytes([0xC0 | (u >> 6), 0x80 | (u & 0x3F)])
        else:
            out += bytes([0xE0 | (u >> 12), 0x80 | ((u >> 6) & 0x3F), 0x80 | (u & 0x3F)])
    return bytes(out)


ENCODED = []  # (wide, stored) pairs, decoded again by the check below


def encode_text(text):
    stored = utf8_per_code_unit(escape_text(text))
    ENCODED.append((text, stored))
    return stored


def encode_value(kind, value):
    """Wide value of an entry -> stored bytes (item lists for IT)."""
    if kind == "IT":
        assert isinstance(value, list)
        body = encode_text("\r\n".join(value))
        return b'"' + body.replace(b"\\n", b'","') + b'"'
    assert isinstance(value, str), value
    return encode_text(value)


PREFIX = re.compile(r"^\[[~?!+]+\]")


def encode_translation(kind, value):
    """Translation with optional status prefix -> stored bytes.

    A text that itself starts with "[" gets that character written as the
    escape \\91 so that readers never take it for a status prefix."""
    prefix = ""
    if isinstance(value, str):
        m = PREFIX.match(value)
        if m:
            prefix, value = m.group(0), value[m.end():]
    elif isinstance(value, tuple):  # (prefix, item list)
        prefix, value = value
    body = encode_value(kind, value)
    if body.startswith(b"["):
        body = b"\\91" + body[1:]
    return prefix.encode("ascii") + body


# ---------------------------------------------------------------- model


class T:
    """One text property of an object."""

    def __init__(self, kind, src, es=None, auto=None, cmt=None, note=None):
        self.kind, self.src, self.es, self.auto, self.cmt, self.note = kind, src, es, auto, cmt, note


class Section:
    def __init__(self, name):
        self.name = name
        self.src = []  # (key, bytes)
        self.notes = []  # developer notes go last: the source hint update appends them
        self.trans = []
        self.auto = []
        self.objects = {}  # name -> the obj() arguments, for the form texts

    def _text(self, name, t):
        key = "%s.%s" % (name, t.kind)
        self.src.append((key, encode_value(t.kind, t.src)))
        if t.es is not None:
            self.trans.append((key, encode_translation(t.kind, t.es)))
        if t.cmt is not None:
            self.trans.append((key + "_?", t.cmt.encode("cp1252")))
        if t.auto is not None:
            self.auto.append((key, encode_value(t.kind, t.auto)))
        if t.note is not None:
            self.notes.append(("%s._!%s" % (name, t.kind), t.note.encode("cp1252")))

    def obj(self, name, cls, texts=(), aid=None, pid=None, layout=(), thf=None):
        """An object block. layout: (property, value) pairs in form order."""
        self.objects[name] = dict(cls=cls, texts=list(texts), aid=aid, pid=pid, layout=list(layout), thf=thf)
        self.src.append((name + "._CN", cls.encode()))
        if aid is not None:
            self.src.append((name + "._AID", str(aid).encode()))
        if pid is not None:
            self.src.append((name + "._PID", str(pid).encode()))
        for t in texts:
            self._text(name, t)
        if layout:
            assert any(p == "Width" for p, _ in layout), name + ": layout keys need a width"
            for prop, val in layout:
                self.src.append(("%s._%s" % (name, prop.replace(".", "", 1)), str(val).encode("cp1252")))
        if thf is not None:
            self._text(name, thf)

    def plain(self, name, kind, src, es=None, auto=None, cmt=None):
        """An entry outside an object block (messages)."""
        self._text(name, T(kind, src, es, auto, cmt))

    def hidden(self, key, value):
        self.src.append((key, encode_text(value)))

    def obsolete(self, key, es):
        """Translation (or comment) of an entry the source no longer has; Save keeps it."""
        if key.endswith("_?"):
            self.trans.append((key, es.encode("cp1252")))
        else:
            self.trans.append((key, encode_translation(key.rsplit(".", 1)[1], es)))


SECTIONS = []


def section(name):
    s = Section(name)
    SECTIONS.append(s)
    return s


def btn(w=75, h=25):
    return [("Width", w), ("Height", h)]


# ---------------------------------------------------------------- main menu

s = section("TID_MainMenu0")
menu = [
    ("mnuFile", "&File", "&Archivo", None),
    ("mnuFileNew", "&New Collection...\tCtrl+N", "&Nueva colección...\tCtrl+N", "Creates an empty collection"),
    ("mnuFileOpen", "&Open Collection...\tCtrl+O", "&Abrir colección...\tCtrl+O", "Opens a collection file"),
    ("mnuFileReopen", "&Reopen", "&Volver a abrir", None),
    ("mnuFileImport", "&Import Files...", "[~]&Importar archivos...", "Adds files and folders to the collection"),
    ("mnuFileExport", "&Export...", "&Exportar...", None),
    ("mnuFilePrint", "&Print...\tCtrl+P", "&Imprimir...\tCtrl+P", None),
    ("mnuFilePrintPreview", "Print Pre&view", "[+]Vista previa", None),
    ("mnuFileExit", "E&xit\tAlt+F4", "&Salir\tAlt+F4", None),
    ("mnuEdit", "&Edit", "&Edición", None),
    ("mnuEditUndo", "&Undo\tCtrl+Z", "&Deshacer\tCtrl+Z", None),
    ("mnuEditCut", "Cu&t\tCtrl+X", "Cor&tar\tCtrl+X", None),
    ("mnuEditCopy", "&Copy\tCtrl+C", "&Copiar\tCtrl+C", None),
    ("mnuEditPaste", "&Paste\tCtrl+V", "&Pegar\tCtrl+V", None),
    ("mnuEditSelectAll", "Select &All\tCtrl+A", "Seleccionar &todo\tCtrl+A", None),
    ("mnuEditFind", "&Find...\tCtrl+F", "&Buscar...\tCtrl+F", "Searches the collection by name, tag or date"),
    ("mnuEditRename", "Re&name\tF2", None, None),
    ("mnuView", "&View", "&Ver", None),
    ("mnuViewThumbnails", "&Thumbnails", "&Miniaturas", None),
    ("mnuViewDetails", "&Details", "&Detalles", None),
    ("mnuViewPreviewPane", "&Preview Pane\tF3", "[~]Panel de &vista previa\tF3", None),
    ("mnuViewFullScreen", "F&ull Screen\tF11", None, None),
    ("mnuViewSortBy", "&Sort By", "&Ordenar por", None),
    ("mnuTools", "&Tools", "&Herramientas", None),
    ("mnuToolsSlideshow", "&Slideshow\tF5", "&Presentación\tF5", None),
    ("mnuToolsBatchRename", "&Batch Rename...", None, "Renames many files at once using a pattern"),
    ("mnuToolsDuplicates", "Find D&uplicates...", "[?]Buscar d&uplicados...", None),
    ("mnuToolsOptions", "&Options...", "&Opciones...", None),
    ("mnuHelp", "&Help", "Ay&uda", None),
    ("mnuHelpContents", "&Contents\tF1", "&Contenido\tF1", None),
    ("mnuHelpUpdates", "Check for &Updates", None, None),
    ("mnuHelpAbout", "&About Vantreo...", "&Acerca de Vantreo...", None),
]
hint_es = {
    "Creates an empty collection": "Crea una colección vacía",
    "Opens a collection file": "Abre un archivo de colección",
    "Adds files and folders to the collection": "[~]Agrega archivos y carpetas a la colección",
    "Searches the collection by name, tag or date": "Busca en la colección por nombre, etiqueta o fecha",
}
for name, cap, es, hint in menu:
    texts = [T("VC", cap, es)]
    if name == "mnuEditRename":
        texts[0].auto = "Cambiar &nombre\tF2"
    if name == "mnuViewFullScreen":
        texts[0].auto = "&Pantalla completa\tF11"
    if name == "mnuToolsDuplicates":
        texts[0].cmt = "¿Duplicados o repetidos? Ver el glosario."
    if hint:
        texts.append(T("VH", hint, hint_es.get(hint)))
    s.obj(name, "TTntMenuItem", texts)
s.obsolete("mnuFileSendTo.VC", "&Enviar a")
s.obsolete("mnuFileSendTo.VC_?", "Eliminado en 3.2, se guarda por si vuelve.")

# ---------------------------------------------------------------- tool bar

s = section("TID_MainToolbar")
big = [("Width", 64), ("Height", 56), ("ShowHint", "True"), ("ToolIcon.Size", 32)]
s.obj("hbNew", "TStaticHotBtn", aid=1001, layout=big)
s.obj("hbOpen", "TStaticHotBtn", [T("TC", "&Open", "&Abrir")], layout=big,
      thf=T("THF", "Open|Opens an existing collection.\nRecently used collections are listed under File > Reopen.",
            "Abrir|Abre una colección existente.\nLas colecciones usadas recientemente aparecen en Archivo > Volver a abrir."))
s.obj("hbImport", "TStaticHotBtn",
      [T("TC", "&Import", "&Importar"),
       T("TH", "Import files", "Importar archivos"),
       T("TF", "Adds files and folders to the current collection.\nYou can also drag them from the desktop.",
         "Agrega archivos y carpetas a la colección actual.\nTambién puede arrastrar y soltar desde el escritorio.")],
      layout=big)
s.obj("hbSync", "TStaticHotBtn",
      [T("TC", "S&ync", None, auto="Sincronizar"),
       T("TH", "Synchronise", None, auto="Sincronizar"),
       T("TF", "Copies new and changed items to the linked devices.", None,
         auto="Copia los elementos nuevos y modificados a los dispositivos vinculados.")],
      layout=big)
s.obj("hbShare", "TStaticHotBtn", [T("TC", "&Share", "[~]&Compartir")], layout=big,
      thf=T("THF", "Share|Sends the selected items by e-mail or to a web album.",
            "[~]Compartir|Envía los elementos seleccionados por correo electrónico o a un álbum web."))
s.obj("hbSlideshow", "TStaticHotBtn",
      [T("TC", "Slide&show", "&Presentación", note="Keep it short: the button is only 96 pixels wide.")],
      layout=[("Width", 96), ("Height", 28), ("ShowHint", "True"), ("Layout", "blGlyphLeft"), ("ToolIcon.Size", 24)],
      thf=T("THF", "Slideshow|Shows the selected pictures full screen, one after another.",
            "Presentación|Muestra las imágenes seleccionadas a pantalla completa, una tras otra."))
s.obj("hbDelete", "TStaticHotBtn",
      layout=[("Width", 24), ("Height", 24), ("ShowHint", "True"), ("Layout", "blGlyphOnly"), ("ToolIcon.Size", 16)],
      thf=T("THF", "Delete", "Eliminar"))
s.obj("hbRotate", "TStaticHotBtn",
      layout=[("Width", 24), ("Height", 24), ("ShowHint", "True"), ("Layout", "blGlyphOnly"), ("ToolIcon.Size", 16)],
      thf=T("THF", "|Rotates the selected pictures by 90 degrees clockwise.", None,
            auto="|Gira las imágenes seleccionadas 90 grados en el sentido de las agujas del reloj."))
s.obj("seSearch", "TStaticEditCtrl", [T("TC", "Search", "Buscar")],
      layout=[("Width", 180), ("Height", 24), ("ShowHint", "True"), ("Margin", 18), ("IconGap", 3),
              ("DefWidth", 120), ("ToolIcon.Size", 16)],
      thf=T("THF", "Quick search|Type a part of a name or tag; the list is filtered while you type.",
            "[?]Búsqueda rápida|Escriba parte de un nombre o etiqueta; la lista se filtra mientras escribe.",
            cmt="Revisar: ¿\"etiqueta\" o \"marca\"? El glosario usa \"etiqueta\"."))
s.obj("pbFilter", "TStaticPushBtn", [T("TC", "&Filter", "&Filtrar")], layout=btn(80, 24),
      thf=T("THF", "Filter|Shows only items that match the chosen rating, type and date.",
            "Filtrar|Muestra solo los elementos que coinciden con la valoración, el tipo y la fecha elegidos."))
s.obj("pbClearFilter", "TStaticPushBtn", [T("TC", "Clear", "[!]Limpiar")], layout=btn(60, 24),
      thf=T("THF", "Clear filter", "Quitar filtro"))
s.obj("scPreview", "TStaticCheckBox", [T("TC", "Preview pane", "Panel de vista previa")],
      layout=[("Width", 120), ("Height", 20), ("Font.Height", -12)],
      thf=T("THF", "Preview pane|Shows or hides the preview of the selected item.", None))
s.obj("srGrid", "TStaticRadioBtn", [T("TC", "Grid", "Cuadrícula")], layout=[("Width", 60), ("Font.Style", "[fsBold]")])
s.obj("srList", "TStaticRadioBtn", [T("TC", "List", "Lista")], layout=[("Width", 60)])
s.obj("hbFavourites", "TStaticHotBtn", [T("TC", "★ Favourites", "★ Favoritos")],
      layout=[("Width", 110), ("Height", 28), ("ShowHint", "True"), ("Layout", "blGlyphLeft"), ("ToolIcon.Size", 24)],
      thf=T("THF", "Favourites|Shows the items you marked with a star.",
            "Favoritos|Muestra los elementos que marcó con una estrella."))

# ---------------------------------------------------------------- options

s = section("TID_OptionsDlg")
s.obj("TID_OptionsDlg", "TTntForm", [T("VC", "Options", "Opciones")], layout=[("Width", 520), ("Height", 440)])
s.obj("tabGeneral", "TTabSheet", [T("VC", "General", "General")])
s.obj("tabAppearance", "TTabSheet", [T("VC", "Appearance", "Apariencia")])
s.obj("tabFolders", "TTabSheet", [T("VC", "Folders", "Carpetas")])
s.obj("tabAdvanced", "TTabSheet", [T("VC", "Advanced", None, auto="Avanzado")])
s.obj("lblLanguage", "TTntLabel", [T("VC", "&Language:", "&Idioma:")],
      layout=[("Width", 90), ("Height", 16), ("AutoSize", "False")])
s.obj("cbLanguage", "TTntComboBox",
      [T("VH", "Language of menus and dialogs|Takes effect after a restart.",
         "Idioma de menús y cuadros de diálogo|Se aplica después de reiniciar."),
       T("VI", "English\nDeutsch\nEspañol\nFrançais\nΕλληνικά\n中文 (简体)\n日本語",
         "English\nDeutsch\nEspañol\nFrançais\nΕλληνικά\n中文 (简体)\n日本語",
         cmt="Nombres de idioma en su propia lengua: no traducir.")],
      layout=[("Width", 200), ("Height", 21), ("ShowHint", "True")])
s.obj("gbStartup", "TTntGroupBox", [T("VC", "At startup", "Al iniciar")], layout=[("Width", 470), ("Height", 96)])
s.obj("rbStartEmpty", "TTntRadioButton", [T("VC", "Show an &empty window", "Mostrar una ventana &vacía")],
      layout=[("Width", 220)])
s.obj("rbStartLast", "TTntRadioButton", [T("VC", "Open the &last collection", "Abrir la ú&ltima colección")],
      layout=[("Width", 220)])
s.obj("rbStartWelcome", "TTntRadioButton", [T("VC", "Show the &welcome page", "[+]Mostrar la página de bienvenida")],
      layout=[("Width", 220)])
s.obj("chkCheckUpdates", "TTntCheckBox",
      [T("VC", "Check for &updates once a week", "Buscar &actualizaciones una vez por semana"),
       T("VH", "Needs an internet connection", "Necesita una conexión a Internet")],
      layout=[("Width", 300), ("ShowHint", "True")])
s.obj("chkConfirmDelete", "TTntCheckBox", [T("VC", "Ask before &deleting files", "Preguntar antes de &eliminar archivos")],
      layout=[("Width", 300)])
s.obj("chkTrayIcon", "TTntCheckBox", [T("VC", "Minimise to the notification &area", None,
                                        auto="Minimizar al &área de notificación")],
      layout=[("Width", 300)])
s.obj("lblTheme", "TTntLabel", [T("VC", "&Theme:", "&Tema:")], layout=[("Width", 90), ("Height", 16)])
s.obj("cbTheme", "TTntComboBox", [T("IT", ["Light", "Dark", "High contrast", "Follow the system setting"],
                                    ["Claro", "Oscuro", "Alto contraste", "Según la configuración del sistema"])],
      layout=[("Width", 200), ("Height", 21)])
s.obj("lblThumbSize", "TTntLabel", [T("VC", "Thumbnail &size:", "&Tamaño de miniatura:")],
      layout=[("Width", 120), ("Height", 16)])
s.obj("cbThumbSize", "TTntComboBox", [T("IT", ["Small (96 px)", "Medium (160 px)", "Large (256 px)"],
                                        ("[~]", ["Pequeño (96 px)", "Mediano (160 px)", "Grande (256 px)"]))],
      layout=[("Width", 160), ("Height", 21)])
s.obj("gbFont", "TStaticGroupBox", [T("VC", "List font", "Fuente de la lista")], layout=[("Width", 470), ("Height", 80)])
s.obj("lblFontSample", "TTntLabel", [T("VC", "AaBbYyZz – Ελληνικά – 中文", "AaBbYyZz – Ελληνικά – 中文")],
      layout=[("Width", 300), ("Height", 20), ("Font.Height", -16), ("Font.Style", "[fsBold, fsItalic]")])
s.obj("chkShowFileExt", "TTntCheckBox", [T("VC", "Show file name e&xtensions", "Mostrar las e&xtensiones de archivo")],
      layout=[("Width", 300)])
s.obj("lblLibraryFolder", "TTntLabel", [T("VC", "&Library folder:", "Carpeta de la &biblioteca:")],
      layout=[("Width", 120), ("Height", 16)])
s.obj("edLibraryFolder", "TTntEdit", [T("VH", "Folder where new collections are stored",
                                       "Carpeta donde se guardan las colecciones nuevas")],
      layout=[("Width", 330), ("Height", 21), ("ShowHint", "True")])
s.obj("btnBrowse", "TTntButton", [T("VC", "&Browse...", "E&xaminar carpetas...")], layout=btn(80, 23))
s.obj("lblWatchedFolders", "TTntLabel", [T("VC", "&Watched folders:", None)], layout=[("Width", 120), ("Height", 16)])
s.obj("lbWatchedFolders", "TListBox", [T("VH", "New files in these folders are imported automatically.", None,
                                            auto="Los archivos nuevos en estas carpetas se importan automáticamente.")],
      layout=[("Width", 330), ("Height", 120), ("ShowHint", "True")])
s.obj("btnAddFolder", "TTntButton", [T("VC", "&Add...", "&Agregar...")], layout=btn(80, 23))
s.obj("btnRemoveFolder", "TTntButton", [T("VC", "&Remove", "&Quitar")], layout=btn(80, 23))
s.obj("tcAdvanced", "TTabSet", [T("TS", "Cache\nNetwork\nLogging", "Caché\nRed\nRegistro")],
      layout=[("Width", 470), ("Height", 200)])
s.obj("lblCacheSize", "TTntLabel", [T("VC", "Maximum cache size (MB):", "Tamaño máximo de la caché (MB):")],
      layout=[("Width", 180), ("Height", 16)])
s.obj("btnClearCache", "TTntButton", [T("VC", "&Clear Cache Now", "[!]&Vaciar la caché ahora",
                                       cmt="El botón es estrecho; el texto no cabe entero.")], layout=btn(120, 23))
s.obj("mmAdvancedInfo", "TTntMemo",
      [T("VT", "These settings are meant for troubleshooting.\r\nChange them only when asked by support.\r\n"
               "Paths may use %APPDATA% and C:\\Users\\<name>.",
         "Estas opciones sirven para resolver problemas.\r\nCámbielas solo si se lo pide el servicio técnico.\r\n"
         "Las rutas pueden usar %APPDATA% y C:\\Users\\<nombre>.")],
      layout=[("Width", 440), ("Height", 60), ("WordWrap", "True")])
s.obj("chkDebugLog", "TTntCheckBox", [T("VC", "Write a &debug log", "Escribir un registro de &depuración")],
      layout=[("Width", 300), ("Tag", 7)])
s.obj("btnOK", "TTntButton", [T("VC", "OK", "Aceptar")], layout=btn())
s.obj("btnCancel", "TTntButton", [T("VC", "Cancel", "Cancelar")], layout=btn())
s.obj("btnHelp", "TTntButton", [T("VC", "&Help", "Ay&uda")], layout=btn())
s.obsolete("chkAutoRotate.VC", "Girar &automáticamente las fotos")

# ---------------------------------------------------------------- search

s = section("TID_SearchDlg")
s.obj("TID_SearchDlg", "TTntForm", [T("VC", "Find Items", "Buscar elementos")], layout=[("Width", 430), ("Height", 330)])
s.obj("lblFindWhat", "TTntLabel", [T("VC", "Find &what:", "&Buscar:")], layout=[("Width", 80), ("Height", 16)])
s.obj("edFindWhat", "TTntEdit",
      [T("VH", "Text to search for|Use * for any number of characters and ? for one character.\nExample: holiday*2024",
         "Texto que se buscará|Use * para cualquier número de caracteres y ? para un solo carácter.\nEjemplo: vacaciones*2024")],
      layout=[("Width", 300), ("Height", 21), ("ShowHint", "True")])
s.obj("lblLookIn", "TTntLabel", [T("VC", "Look &in:", "Buscar &en:")], layout=[("Width", 80), ("Height", 16)])
s.obj("cbLookIn", "TTntComboBox", [T("IT", ["Names", "Tags", "Descriptions", "Everywhere"],
                                     ["Nombres", "Etiquetas", "Descripciones", "En todas partes"])],
      layout=[("Width", 200), ("Height", 21)])
s.obj("lblKind", "TTntLabel", [T("VC", "&Kind:", "&Tipo:")], layout=[("Width", 80), ("Height", 16)])
s.obj("cbKind", "TTntComboBox",
      [T("IT", ["All kinds", "Pictures", "Videos", "🎵 Music", "Documents"],
         ["Todos los tipos", "Imágenes", "Vídeos", "🎵 Música", "Documentos"])],
      layout=[("Width", 200), ("Height", 21)])
s.obj("gbOptions", "TTntGroupBox", [T("VC", "Options", "Opciones")], layout=[("Width", 390), ("Height", 110)])
s.obj("chkMatchCase", "TTntCheckBox", [T("VC", "Match &case", "Coincidir &mayúsculas y minúsculas")],
      layout=[("Width", 180)])
s.obj("chkWholeWords", "TTntCheckBox", [T("VC", "Whole &words only", "Solo palabras &completas")], layout=[("Width", 180)])
s.obj("chkSubfolders", "TTntCheckBox", [T("VC", "Include sub&folders", None, auto="Incluir sub&carpetas")],
      layout=[("Width", 180)])
s.obj("rbAnyDate", "TTntRadioButton", [T("VC", "&Any date", "Cualquier &fecha")], layout=[("Width", 120)])
s.obj("rbLastWeek", "TTntRadioButton", [T("VC", "Last &7 days", "Últimos &7 días")], layout=[("Width", 120)])
s.obj("rbBetween", "TTntRadioButton", [T("VC", "&Between:", "E&ntre:")], layout=[("Width", 120)])
s.obj("lblAnd", "TTntLabel", [T("VC", "and", "y")])
s.obj("lblNoTitle", "TTntLabel", [T("VC", "[No title]", "[Sin título]")], layout=[("Width", 100), ("Height", 16)])
s.obj("lvResults", "TTntListView",
      [T("VH", "Double-click an item to show it in the collection.", None)],
      layout=[("Width", 390), ("Height", 120), ("ShowHint", "True")])
s.obj("lblResultCount", "TTntLabel", [T("VC", "No items found", "No se encontraron elementos")],
      layout=[("Width", 200), ("Height", 16), ("AutoSize", "False")])
s.obj("btnFind", "TStaticPushBtn", [T("TC", "&Find", "&Buscar")], layout=btn(),
      thf=T("THF", "Find|Starts the search with the options above.", "Buscar|Inicia la búsqueda con las opciones indicadas."))
s.obj("btnStop", "TStaticPushBtn", [T("TC", "&Stop", "&Detener")], layout=btn())
s.obj("btnClose", "TTntButton", [T("VC", "Close", "Cerrar")], layout=btn())

# ---------------------------------------------------------------- export wizard

s = section("TID_ExportWizard")
s.obj("TID_ExportWizard", "TTntForm", [T("VC", "Export Wizard", "Asistente para exportar")],
      layout=[("Width", 560), ("Height", 400)])
s.obj("tsWelcome", "TTabSheet", [T("VC", "Welcome", "Bienvenida")])
s.obj("lblWelcomeTitle", "TTntLabel", [T("VC", "Welcome to the Export Wizard", "Bienvenido al asistente para exportar")],
      layout=[("Width", 380), ("Height", 24), ("Font.Height", -19), ("Font.Style", "[fsBold]")])
s.obj("mmWelcome", "TTntMemo",
      [T("VT", "This wizard copies the selected items to a folder, a disc or a web album.\r\n"
               "\r\nYou can resize pictures and convert videos on the way.\r\nClick Next to continue.",
         "Este asistente copia los elementos seleccionados a una carpeta, un disco o un álbum web.\r\n"
         "\r\nPuede cambiar el tamaño de las imágenes y convertir los vídeos durante la copia.\r\n"
         "Haga clic en Siguiente para continuar.")],
      layout=[("Width", 380), ("Height", 120), ("WordWrap", "True")])
s.obj("tsTarget", "TTabSheet", [T("VC", "Target", "Destino")])
s.obj("lblTargetQuestion", "TTntLabel", [T("VC", "Where do you want to export the items?",
                                           "¿Dónde desea exportar los elementos?")],
      layout=[("Width", 380), ("Height", 16)])
s.obj("rbToFolder", "TTntRadioButton", [T("VC", "To a &folder on this computer", "A una &carpeta de este equipo")],
      layout=[("Width", 300)])
s.obj("rbToDisc", "TTntRadioButton", [T("VC", "To a &CD or DVD", "A un &CD o DVD")], layout=[("Width", 300)])
s.obj("rbToWeb", "TTntRadioButton", [T("VC", "To a &web album", "[~]A un álbum &web")], layout=[("Width", 300)])
s.obj("lblFolder", "TTntLabel", [T("VC", "F&older:", "C&arpeta:")], layout=[("Width", 60), ("Height", 16)])
s.obj("edFolder", "TTntEdit", [T("VH", "The folder is created when it does not exist.", "La carpeta se crea si no existe.")],
      layout=[("Width", 300), ("Height", 21), ("ShowHint", "True")])
s.obj("tsFormat", "TTabSheet", [T("VC", "Format", "Formato")])
s.obj("lblPictureFormat", "TTntLabel", [T("VC", "Picture &format:", "&Formato de imagen:")],
      layout=[("Width", 110), ("Height", 16)])
s.obj("cbPictureFormat", "TTntComboBox",
      [T("IT", ["Keep the original format", "JPEG (smaller files)", "PNG (lossless)", "WebP"],
         ["Mantener el formato original", "JPEG (archivos más pequeños)", "PNG (sin pérdida)", "WebP"])],
      layout=[("Width", 220), ("Height", 21)])
s.obj("lblMaxSize", "TTntLabel", [T("VC", "&Longest side:", None, auto="Lado más &largo:")],
      layout=[("Width", 110), ("Height", 16)])
s.obj("cbMaxSize", "TTntComboBox", [T("VI", "Original size\n640 pixels\n1024 pixels\n1920 pixels\n3840 pixels",
                                      "Tamaño original\n640 píxeles\n1024 píxeles\n1920 píxeles\n3840 píxeles")],
      layout=[("Width", 220), ("Height", 21)])
s.obj("chkKeepMetadata", "TTntCheckBox",
      [T("VC", "Keep &metadata (date, camera, location)", "[+]Conservar &metadatos (fecha, cámara, ubicación)",
         cmt="Falta decidir si 'ubicación' o 'lugar'."),
       T("VH", "Clear this box to remove private data before sharing.", None)],
      layout=[("Width", 320), ("ShowHint", "True")])
s.obj("chkRenameFiles", "TTntCheckBox", [T("VC", "&Rename files by date", None)], layout=[("Width", 320)])
s.obj("tsSummary", "TTabSheet", [T("VC", "Summary", "Resumen")])
s.obj("lblSummary", "TTntLabel", [T("VC", "The wizard is ready to export the items.",
                                    "El asistente está listo para exportar los elementos.")],
      layout=[("Width", 380), ("Height", 16)])
s.obj("mmSummary", "TTntMemo", [T("VT", "Items:\t%d\r\nTarget:\t%s\r\nFormat:\t%s",
                                  "Elementos:\t%d\r\nDestino:\t%s\r\nFormato:\t%s")],
      layout=[("Width", 380), ("Height", 90)])
s.obj("pbExport", "TProgressBar", [T("VH", "Progress of the export", None)], layout=[("Width", 380), ("Height", 17)])
s.obj("btnBack", "TStaticPushBtn", [T("TC", "< &Back", "< &Atrás")], layout=btn())
s.obj("btnNext", "TStaticPushBtn", [T("TC", "&Next >", "&Siguiente >")], layout=btn())
s.obj("btnFinish", "TStaticPushBtn", [T("TC", "&Finish", "&Finalizar")], layout=btn(),
      thf=T("THF", "Finish|Starts the export. You can keep working while it runs.", None))
s.obj("btnCancel", "TStaticPushBtn", [T("TC", "Cancel", "Cancelar")], layout=btn())

# ---------------------------------------------------------------- about

s = section("TID_AboutBox")
s.obj("TID_AboutBox", "TTntForm", [T("VC", "About Vantreo", "Acerca de Vantreo")], layout=[("Width", 420), ("Height", 320)])
s.obj("lblProduct", "TTntLabel", [T("VC", "Vantreo 𝄞 Media Organiser", "Vantreo 𝄞 Organizador multimedia")],
      layout=[("Width", 300), ("Height", 28), ("AutoSize", "False"), ("Font.Height", -21), ("Font.Style", "[fsBold]")])
s.obj("lblVersion", "TTntLabel", [T("VC", "Version %s (build %d)", "Versión %s (compilación %d)")],
      layout=[("Width", 200), ("Height", 16)])
s.obj("lblCopyright", "TTntLabel", [T("VC", "© 2009-2024 Vantreo Software. All rights reserved.",
                                      "© 2009-2024 Vantreo Software. Reservados todos los derechos.")],
      layout=[("Width", 360), ("Height", 16)])
s.obj("lblWebsite", "TTntLabel", [T("VC", "www.vantreo.example", "www.vantreo.example"),
                                  T("VH", "Opens the home page in your browser", "Abre la página principal en su navegador")],
      layout=[("Width", 160), ("Height", 16), ("Cursor", "crHandPoint"), ("ShowHint", "True")])
s.obj("mmCredits", "TTntMemo",
      [T("VT", "Translations:\r\nDeutsch – Jörg Bäumler\r\nEspañol – Lucía Peña Ibáñez\r\n"
               "Ελληνικά – Νίκος Παπαδόπουλος\r\n中文 (简体) – 王小明\r\n\r\nIcons by the Vantreo design team.",
         "[?]Traducciones:\r\nDeutsch – Jörg Bäumler\r\nEspañol – Lucía Peña Ibáñez\r\n"
         "Ελληνικά – Νίκος Παπαδόπουλος\r\n中文 (简体) – 王小明\r\n\r\nIconos del equipo de diseño de Vantreo.",
         cmt="Los nombres de los traductores se dejan tal cual.")],
      layout=[("Width", 360), ("Height", 110), ("WordWrap", "True")])
s.obj("lblLicensedTo", "TTntLabel", [T("VC", "Licensed to:", "Con licencia para:")], layout=[("Width", 100), ("Height", 16)])
s.obj("btnLicense", "TTntButton", [T("VC", "&License...", "&Licencia...")], layout=btn(90, 25))
s.obj("btnSystemInfo", "TTntButton", [T("VC", "&System Info", None)], layout=btn(90, 25))
s.obj("btnAboutOK", "TTntButton", [T("VC", "OK", "Aceptar")], layout=btn())

# ---------------------------------------------------------------- print

s = section("TID_PrintDlg")
s.obj("TID_PrintDlg", "TTntForm", [T("VC", "Print", "Imprimir")], layout=[("Width", 460), ("Height", 380)])
s.obj("lblPrinter", "TTntLabel", [T("VC", "&Printer:", "&Impresora:")], layout=[("Width", 70), ("Height", 16)])
s.obj("cbPrinter", "TTntComboBox", [T("VH", "Printers installed on this computer", "Impresoras instaladas en este equipo")],
      layout=[("Width", 260), ("Height", 21), ("ShowHint", "True")])
s.obj("btnPrinterProps", "TTntButton", [T("VC", "P&roperties...", "P&ropiedades...")], layout=btn(90, 23))
s.obj("gbLayout", "TTntGroupBox", [T("VC", "Layout", "Diseño")], layout=[("Width", 200), ("Height", 150)])
s.obj("lbLayouts", "TListBox",
      [T("VI", "Full page\nTwo per page\nFour per page\nContact sheet (20 per page)\nWallet size (9 per page)",
         "Página completa\nDos por página\nCuatro por página\nHoja de contactos (20 por página)\n"
         "Tamaño cartera (9 por página)")],
      layout=[("Width", 180), ("Height", 90)])
s.obj("gbOrientation", "TStaticGroupBox", [T("VC", "Orientation", "Orientación")], layout=[("Width", 200), ("Height", 70)])
s.obj("rbPortrait", "TStaticRadioBtn", [T("TC", "Po&rtrait", "&Vertical")], layout=[("Width", 90)])
s.obj("rbLandscape", "TStaticRadioBtn", [T("TC", "&Landscape", "&Horizontal")], layout=[("Width", 90)])
s.obj("lblCopies", "TTntLabel", [T("VC", "Number of &copies:", "Número de &copias:")], layout=[("Width", 110), ("Height", 16)])
s.obj("scCollate", "TStaticCheckBox", [T("TC", "C&ollate", None, auto="I&ntercalar")], layout=[("Width", 90), ("Height", 18)],
      thf=T("THF", "Collate|Prints complete copies one after another.", None))
s.obj("chkFitToPage", "TTntCheckBox", [T("VC", "&Fit picture to page", "&Ajustar la imagen a la página")],
      layout=[("Width", 200)])
s.obj("chkPrintCaptions", "TTntCheckBox",
      [T("VC", "Print file &names under the pictures", "Imprimir los &nombres de archivo bajo las imágenes")],
      layout=[("Width", 260)])
s.obj("lblMargins", "TTntLabel", [T("VC", "Mar&gins (mm):", "Már&genes (mm):")], layout=[("Width", 90), ("Height", 16)])
s.obj("lblPageCount", "TTntLabel", [T("VC", "%d pages", "%d páginas")], layout=[("Width", 90), ("Height", 16)])
s.obj("btnPrint", "TStaticPushBtn", [T("TC", "&Print", "&Imprimir")], layout=btn(),
      thf=T("THF", "Print|Sends the pages to the printer.", "Imprimir|Envía las páginas a la impresora."))
s.obj("btnPreview", "TStaticPushBtn", [T("TC", "Pre&view", "&Vista previa")], layout=btn())
s.obj("btnPrintCancel", "TTntButton", [T("VC", "Cancel", "Cancelar")], layout=btn())

# ---------------------------------------------------------------- actions

s = section("Zt4_Actions")
actions = [
    (1001, "actNewCollection", "&New Collection", "&Nueva colección",
     "New collection|Creates an empty collection.", "Nueva colección|Crea una colección vacía."),
    (1002, "actOpenCollection", "&Open...", "&Abrir...",
     "Open|Opens an existing collection.", "Abrir|Abre una colección existente."),
    (1003, "actSave", "&Save", "&Guardar", "Save|Saves the changes of the collection.",
     "Guardar|Guarda los cambios de la colección."),
    (1004, "actSaveAs", "Save &As...", "Guardar &como...", "Save as|Saves the collection under a new name.", None),
    (1010, "actImport", "&Import...", "&Importar...", "Import|Adds files and folders.",
     "[~]Importar|Agrega archivos y carpetas."),
    (1011, "actExport", "&Export...", "&Exportar...", "Export|Starts the export wizard.",
     "Exportar|Inicia el asistente para exportar."),
    (1020, "actRotateLeft", "Rotate &Left", "Girar a la &izquierda",
     "Rotate left|Rotates the picture 90° counter-clockwise.",
     "Girar a la izquierda|Gira la imagen 90° en sentido contrario a las agujas del reloj."),
    (1021, "actRotateRight", "Rotate &Right", "Girar a la &derecha",
     "Rotate right|Rotates the picture 90° clockwise.",
     "Girar a la derecha|Gira la imagen 90° en el sentido de las agujas del reloj."),
    (1022, "actCrop", "&Crop", None, "Crop|Cuts away the edges of the picture.", None),
    (1023, "actRedEye", "Red-&Eye Removal", "[~?]Eliminación de ojos &rojos",
     "Red-eye removal|Finds and darkens red eyes in portraits.",
     "[~]Eliminación de ojos rojos|Busca y oscurece los ojos rojos en los retratos."),
    (1030, "actTag", "&Tag...", "&Etiquetar...", "Tag|Adds tags to the selected items.",
     "Etiquetar|Agrega etiquetas a los elementos seleccionados."),
    (1031, "actRate", "&Rate", "&Valorar", "Rate|Gives the selected items one to five stars.",
     "Valorar|Asigna de una a cinco estrellas a los elementos seleccionados."),
    (1032, "actFavourite", "Add to &Favourites", "Agregar a &favoritos", "Favourite|Marks the items with a star.",
     "Favorito|Marca los elementos con una estrella."),
    (1040, "actSlideshow", "&Slideshow", "&Presentación", "Slideshow|Shows the pictures full screen.", None),
    (1041, "actFullScreen", "&Full Screen", None, "Full screen|Hides menus and tool bars.", None),
    (1050, "actDelete", "&Delete", "&Eliminar",
     "Delete|Moves the selected items to the recycle bin.\nHold Shift to delete them at once.",
     "Eliminar|Mueve los elementos seleccionados a la papelera.\nMantenga pulsada Mayús para eliminarlos de inmediato."),
    (1051, "actRename", "Re&name", "Cambiar &nombre", "Rename|Renames the selected item.", None),
    (1060, "actOptions", "&Options...", "&Opciones...", "Options|Changes the program settings.",
     "Opciones|Cambia la configuración del programa."),
    (1070, "actHelp", "&Help", "Ay&uda", "Help|Opens the user guide.", "Ayuda|Abre la guía del usuario."),
    (1071, "actAbout", "&About", "&Acerca de", "About|Shows version and licence.", None),
]
auto_hint = {
    "actSaveAs": "Guardar como|Guarda la colección con un nombre nuevo.",
    "actCrop": "Recortar|Corta los bordes de la imagen.",
    "actSlideshow": "Presentación|Muestra las imágenes a pantalla completa.",
}
for aid, name, cap, cap_es, hint, hint_es_ in actions:
    cap_t = T("TC", cap, cap_es)
    if name == "actCrop":
        cap_t.auto = "&Recortar"
    if name == "actFullScreen":
        cap_t.auto = "&Pantalla completa"
    s.obj(name, "TZtAction", [cap_t], aid=aid, thf=T("THF", hint, hint_es_, auto=auto_hint.get(name)))
s.notes.append(("actRedEye._!TC", b"Use the same term as the camera makers do."))
s.obsolete("actBurnDisc.TC", "&Grabar disco")
s.obsolete("actBurnDisc.THF", "Grabar disco|Graba los elementos en un CD o DVD.")

# ---------------------------------------------------------------- properties

s = section("Main_Properties")
props = [
    (2001, "propTitle", "Title", "Título", "Title|The title shown under the thumbnail.",
     "Título|El título que se muestra bajo la miniatura."),
    (2002, "propDescription", "Description", "Descripción", "Description|A longer text about the item.", None),
    (2003, "propDateTaken", "Date taken", "Fecha de captura", "Date taken|When the picture was taken.",
     "Fecha de captura|Cuándo se tomó la imagen."),
    (2004, "propFileSize", "File size", "Tamaño del archivo", None, None),
    (2005, "propDimensions", "Dimensions", "Dimensiones", "Dimensions|Width × height in pixels.",
     "Dimensiones|Ancho × alto en píxeles."),
    (2006, "propDuration", "Duration", "Duración", None, None),
    (2007, "propRating", "Rating", "Valoración", "Rating|One to five stars.", "Valoración|De una a cinco estrellas."),
    (2008, "propTags", "Tags", "Etiquetas", "Tags|Words that describe the item, separated by commas.",
     "[!]Etiquetas|Palabras que describen el elemento, separadas por comas"),
    (2009, "propCamera", "Camera", "Cámara", None, None),
    (2010, "propLocation", "Location", None, "Location|Where the picture was taken.", None),
    (2011, "propAuthor", "Author", "Autor", None, None),
    (2012, "propArtist", "Artist", "[+]Artista", None, None),
    (2013, "propAlbum", "Album", "Álbum", None, None),
    (2014, "propComment", "Comment", "Comentario", None, None),
]
for pid, name, cap, cap_es, hint, hint_es_ in props:
    cap_t = T("TC", cap, cap_es)
    if name == "propLocation":
        cap_t.auto = "Ubicación"
    s.obj(name, "TZtPropDef", [cap_t], pid=pid, thf=T("THF", hint, hint_es_) if hint else None)

# ---------------------------------------------------------------- messages

s = section("Messages")
msgs = [
    ("The file %s could not be found.", "No se encuentra el archivo %s."),
    ("The file %s could not be opened.\nIt may be in use by another program.",
     "No se puede abrir el archivo %s.\nPuede que otro programa lo esté usando."),
    ("Do you want to save the changes to %s?", "¿Desea guardar los cambios en %s?"),
    ("%d items were imported.", "Se importaron %d elementos."),
    ("%d of %d items could not be imported.", "[?]No se pudieron importar %d de %d elementos."),
    ("Delete %d items?\nThey will be moved to the recycle bin.",
     "¿Eliminar %d elementos?\nSe moverán a la papelera."),
    ("The disk is full. Free some space and try again.", "El disco está lleno. Libere espacio e inténtelo de nuevo."),
    ("The collection %s is damaged. Vantreo will try to repair it.", None),
    ("Searching...", "Buscando..."),
    ("%d items found", "%d elementos encontrados"),
    ("Exporting %s\t(%d of %d)", "Exportando %s\t(%d de %d)"),
    ("The export is complete.", "La exportación ha finalizado."),
    ("The export was cancelled. %d files were copied.", "[~]La exportación fue cancelada. Se copiaron %d archivos."),
    ("No printer is installed.", "No hay ninguna impresora instalada."),
    ("The web album could not be reached:\n%s", None),
    ("A newer version (%s) is available. Download it now?", "Hay una versión más reciente (%s). ¿Descargarla ahora?"),
    ("You have the latest version.", "Ya tiene la versión más reciente."),
    ("The folder C:\\Users\\%s\\Pictures is not watched any more.",
     "La carpeta C:\\Users\\%s\\Pictures ya no se supervisa."),
    ("Rename %d files?", "¿Cambiar el nombre de %d archivos?"),
    ("The name %s is already in use.", "El nombre %s ya está en uso."),
    ("Please enter a name.", "Escriba un nombre."),
    ("Slideshow: %d pictures, %d seconds each", None),
    ("The video format %s is not supported.", "[+]El formato de vídeo %s no es compatible."),
    ("Could not write the cache file.\nCheck the folder permissions.", None),
    ("The operation was completed with %d warnings.", "La operación finalizó con %d advertencias."),
    ("Restart Vantreo to use the new language.", "Reinicie Vantreo para usar el nuevo idioma."),
]
auto_msg = {
    7: "La colección %s está dañada. Vantreo intentará repararla.",
    21: "Presentación: %d imágenes, %d segundos cada una",
}
for i, (src, es) in enumerate(msgs):
    s.plain("Vantreo_%03d_" % i, "msg", src, es, auto=auto_msg.get(i))
s.plain("SNoFile", "MG", "No file selected.", "No se ha seleccionado ningún archivo.")
s.plain("SReadOnly", "MG", "The file %s is read-only.", "El archivo %s es de solo lectura.")
s.plain("SOutOfMemory", "MG", "Not enough memory to show %s.", "[!]No hay suficiente memoria para mostrar %s.",
        cmt="Comprobar con el equipo si el mensaje sigue en uso.")
s.plain("SUnknownError", "MG", "An unexpected error occurred:\n%s", None)
s.obsolete("Vantreo_026_.msg", "Se perdió la conexión con el servidor.")

# Extracted texts that the release corrected: the raw text stays beside it.
s = section("_Messages")
s.hidden("Vantreo_001_._msg", "The file %s could not be opened.\nIt maybe in use by another program.")
s.hidden("Vantreo_006_._msg", "The disk is full. Free some space and try again")
s.hidden("Vantreo_020_._msg", "Please enter a name")

# A form the product dropped; its translations stay in the translation file.
DROPPED = [
    ("TID_ImportDlg", [
        ("TID_ImportDlg.VC", "Importar archivos"),
        ("chkDeleteAfterImport.VC", "&Eliminar los originales después de importar"),
        ("btnImportStart.TC", "&Importar"),
        ("btnImportStart.THF", "Importar|Inicia la importación."),
    ]),
]


def not_yet_translated(name, keys, suggest=()):
    """Texts new in this release: no translation yet, some with a machine suggestion.

    The Spanish stays written beside the English above, so moving it in or out
    of the translation file is a one-word change here."""
    sec = next(x for x in SECTIONS if x.name == name)
    drop = set(keys) | set(suggest)
    kept = []
    for key, value in sec.trans:
        base = key[:-2] if key.endswith("_?") else key
        if base not in drop:
            kept.append((key, value))
        elif key in suggest:
            m = re.match(rb"^\[[~?!+]+\]", value)
            sec.auto.append((key, value[m.end():] if m else value))
    missing = drop - {key for key, _ in sec.trans}
    assert not missing, "%s: no translation to hold back for %s" % (name, missing)
    sec.trans = kept
    order = {key: i for i, (key, _) in enumerate(sec.src)}
    sec.auto.sort(key=lambda kv: order[kv[0]])


not_yet_translated("TID_PrintDlg",
                   ["btnPrinterProps.VC", "gbOrientation.VC", "chkPrintCaptions.VC", "lblMargins.VC",
                    "lblPageCount.VC", "btnPreview.TC"],
                   suggest=["cbPrinter.VH", "gbLayout.VC", "lbLayouts.VI", "rbPortrait.TC", "rbLandscape.TC",
                            "lblCopies.VC", "chkFitToPage.VC"])
not_yet_translated("TID_ExportWizard", ["lblPictureFormat.VC", "mmSummary.VT", "tsSummary.VC"],
                   suggest=["cbPictureFormat.IT", "lblSummary.VC"])
not_yet_translated("Main_Properties", ["propDimensions.THF", "propTitle.THF", "propRating.THF", "propCamera.TC",
                                       "propComment.TC"], suggest=["propAlbum.TC"])
not_yet_translated("Messages", ["Vantreo_009_.msg", "Vantreo_010_.msg", "Vantreo_015_.msg", "Vantreo_018_.msg",
                                "Vantreo_019_.msg", "Vantreo_024_.msg"], suggest=["Vantreo_016_.msg"])
not_yet_translated("TID_OptionsDlg", ["tabFolders.VC", "lblLibraryFolder.VC", "btnAddFolder.VC", "btnRemoveFolder.VC",
                                      "lblCacheSize.VC", "chkDebugLog.VC"],
                   suggest=["edLibraryFolder.VH", "tcAdvanced.TS"])
not_yet_translated("TID_SearchDlg", ["rbBetween.VC", "lblAnd.VC"], suggest=["chkWholeWords.VC"])

# ---------------------------------------------------------------- writing


def ini_bytes(sections):
    out = bytearray()
    for name, lines in sections:
        out += b"[" + name.encode() + b"]\r\n"
        for key, value in lines:
            out += key.encode("ascii") + b"=" + value + b"\r\n"
        out += b"\r\n"
    return bytes(out)


def build():
    src, trans, auto = [], [("_info", [("DestLng", b"es")])], []
    for sec in SECTIONS:
        src.append((sec.name, sec.src + sec.notes))
        if sec.trans:
            trans.append((sec.name, sec.trans))
        if sec.auto:
            auto.append((sec.name, sec.auto))
    for name, pairs in DROPPED:
        trans.append((name, [(k, encode_translation(k.rsplit(".", 1)[1], v)) for k, v in pairs]))
    header = (b"; Vantreo 3.2 source texts (English)\r\n"
              b"; Hidden keys (kind starting with _) carry class names, links and layout.\r\n")
    return {
        "Demo.SrcLng": header + ini_bytes(src),
        "Demo.kxLng": ini_bytes(trans),
        "Demo.AutoLng": b"; Machine suggestions, not reviewed\r\n" + ini_bytes(auto),
    }

# ---------------------------------------------------------------- release
# The raw data files the demo source comes from, and what turns them into it:
#   lngtool merge-raw Skin.rawmi Vantreo.rawmi; lngtool filter-raw Obsolete.ini Vantreo.rawmi;
#   lngtool rebuild-src --raw Vantreo.rawmi --out Demo.SrcLng --english English.kxLng --messages Messages.txt
# gives Demo.SrcLng without its comment lines and developer notes. next/ holds the next release.

SKIN_SECTIONS = ("Zt4_Actions", "Main_Properties")
# Texts as the extraction finds them, corrected by the English project: (section, key): raw text.
RELEASE_FIXES = {
    ("TID_MainMenu0", "mnuFileImport.VH"): b"Adds files and folder to the collection",
    ("TID_OptionsDlg", "chkConfirmDelete.VC"): b"Ask before &deleting file",
    ("TID_ExportWizard", "lblTargetQuestion.VC"): b"Where do you want to export the item?",
    ("Zt4_Actions", "actRedEye.TC"): b"Red-&eye Removal",
}
# The English translator's status letters stay in the English project.
RELEASE_FIX_PREFIX = {("TID_ExportWizard", "lblTargetQuestion.VC"): b"[~]"}
# An object of the last release that the product no longer has; the filter file removes it.
OBSOLETE = ("TID_MainMenu0", "mnuFileExport._CN", [("mnuFileSendTo._CN", b"TTntMenuItem"),
                                                  ("mnuFileSendTo.VC", b"&Send To")])


def build_release():
    sections = {sec.name: sec for sec in SECTIONS}
    extracted = dict(sections["_Messages"].src)

    def raw_lines(sec):
        lines = []
        for key, value in sec.src:
            value = RELEASE_FIXES.get((sec.name, key), value)
            if sec.name == "Messages":
                value = extracted.get(key.replace(".msg", "._msg", 1), value)
            lines.append((key, value))
            if (sec.name, key) == OBSOLETE[:2]:
                lines.extend(OBSOLETE[2])
        return lines

    exe = [(sec.name, raw_lines(sec)) for sec in SECTIONS
           if sec.name not in SKIN_SECTIONS and sec.name != "_Messages"]
    skin = [(sec.name, raw_lines(sec)) for sec in SECTIONS if sec.name in SKIN_SECTIONS]
    english = [("_info", [("DestLng", b"en")])]
    for (name, key), _ in RELEASE_FIXES.items():
        value = RELEASE_FIX_PREFIX.get((name, key), b"") + dict(sections[name].src)[key]
        if english[-1][0] != name:
            english.append((name, []))
        english[-1][1].append((key, value))
    words = b"".join(b"R=" + extracted[k.replace(".msg", "._msg", 1)] + b"\r\nL=" + v + b"\r\n\r\n"
                     for k, v in sections["Messages"].src if k.replace(".msg", "._msg", 1) in extracted)

    # The next release: a message inserted before the fifth, the rest renumbered, one text changed.
    msgs = dict(exe)["Messages"]
    numbered = [(k, v) for k, v in msgs if k.startswith("Vantreo_")]
    others = [(k, v) for k, v in msgs if not k.startswith("Vantreo_")]
    texts = [v for _, v in numbered]
    texts.insert(4, b"The collection %s was saved.")
    changed = texts.index(b"No printer is installed.")
    texts[changed] = b"No printer is installed. Add one in the system settings."
    next_msgs = [("Vantreo_%03d_.msg" % i, t) for i, t in enumerate(texts)] + others
    next_exe = [(name, next_msgs if name == "Messages" else lines) for name, lines in exe]

    return {
        "Release/Vantreo.rawmi": ini_bytes(exe),
        "Release/Skin.rawmi": ini_bytes(skin),
        "Release/Obsolete.ini": ini_bytes([(OBSOLETE[0], [(k, b"x") for k, _ in OBSOLETE[2]])]),
        "Release/English.kxLng": ini_bytes(english),
        "Release/Messages.txt": words,
        "Release/next/Vantreo.rawmi": ini_bytes(next_exe),
    }

# ---------------------------------------------------------------- checking
# Reads the files back the way the client does, independently of the
# generator above, and prints the numbers `lngtool stats` must agree with.


def read_ini(data):
    """Sections in file order: [(name, [(key, value)])]; key None for lines without "="."""
    sections, current = [], None
    for raw in re.split(rb"\r\n|\r|\n", data):
        line = raw.strip(bytes(range(33)))
        if not line or line.startswith(b";"):
            continue
        if line.startswith(b"[") and line.endswith(b"]"):
            current = (line[1:-1].strip(bytes(range(33))).decode("latin-1"), [])
            sections.append(current)
        elif current is not None:
            if b"=" in line:
                k, v = line.split(b"=", 1)
                current[1].append((k.strip(bytes(range(33))).decode("latin-1"), v.strip(bytes(range(33)))))
            else:
                current[1].append((None, line))
    return sections


def lookup(ini, section, key):
    for name, lines in ini:
        if name.lower() == section.lower():
            for k, v in lines:
                if k is not None and k.lower() == key.lower():
                    return v
            return b""
    return b""


def split_key(key):
    dot = key.rfind(".")
    if dot < 0:
        return None
    name, kind = key[:dot], key[dot + 1:]
    if not name or not kind or kind[0] in "\\:":
        return None
    return name, kind


def decode_stored(value):
    """Stored bytes -> wide text; raises on anything but 1-3 byte sequences."""
    if re.search(rb"[\xf0-\xff]", value):
        raise ValueError("four-byte sequence or stray byte: %r" % value)
    units, i = [], 0
    while i < len(value):
        b = value[i]
        if b < 0x80:
            units.append(b)
            i += 1
            continue
        n = 3 if b & 0x20 else 2
        tail = value[i + 1:i + n]
        if len(tail) != n - 1 or any(not 0x80 <= c <= 0xBF for c in tail):
            raise ValueError("not stored text: %r" % value)
        u = (b & 0x0F) << 12 | (tail[0] & 0x3F) << 6 | tail[1] & 0x3F if n == 3 else (b & 0x1F) << 6 | tail[0] & 0x3F
        units.append(u)
        i += n
    text = b"".join(u.to_bytes(2, "little") for u in units).decode("utf-16-le")
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            d = text[i + 1]
            if d.isdigit() and i + 2 < len(text) and text[i + 2].isdigit():
                out.append(chr(int(text[i + 1:i + 3])))
                i += 3
                continue
            if d in "\\nt":
                out.append({"\\": "\\", "n": "\r\n", "t": "\t"}[d])
                i += 2
                continue
        out.append(c)
        i += 1
    return "".join(out)


def check_and_count():
    raw = {}
    for ext in ("SrcLng", "kxLng", "AutoLng"):
        with open(os.path.join(OUT, "Demo." + ext), "rb") as f:
            raw[ext] = f.read()
    problems = []
    for ext, data in raw.items():
        if data.startswith(b"\xef\xbb\xbf"):
            problems.append(ext + ": byte-order mark")
        if re.search(rb"[^\r]\n|\r[^\n]", data) or not data.endswith(b"\r\n"):
            problems.append(ext + ": line ends other than CR LF")
        for line in data.split(b"\r\n"):
            if b"=" in line and not line.startswith(b";"):
                k, v = line.split(b"=", 1)
                if k != k.strip() or v != v.strip(bytes(range(33))):
                    problems.append("%s: spaces around '=' or in the value ends: %r" % (ext, line))
    src, trans, auto = (read_ini(raw[e]) for e in ("SrcLng", "kxLng", "AutoLng"))
    for label, ini in (("SrcLng", src), ("kxLng", trans), ("AutoLng", auto)):
        seen_sections = set()
        for name, lines in ini:
            if name.lower() in seen_sections:
                problems.append("%s: section %s twice" % (label, name))
            seen_sections.add(name.lower())
            keys = [k.lower() for k, _ in lines if k is not None]
            if len(keys) != len(set(keys)):
                problems.append("%s: duplicate key in %s" % (label, name))

    entries = []
    for name, lines in src:
        for key, value in lines:
            parts = key is not None and split_key(key)
            if parts and value:
                entries.append((name, key, parts[1], value))
    counts = dict.fromkeys(["entries", "visible", "hidden", "translated", "auto", "untranslated",
                            "query", "warning", "needs-work", "suggestions", "comments"], 0)
    kinds = {}
    src_keys = set()
    for sec, key, kind, value in entries:
        src_keys.add((sec.lower(), key.lower()))
        counts["entries"] += 1
        decode_stored(value)
        if kind.startswith("_"):
            counts["hidden"] += 1
            if lookup(trans, sec, key):
                problems.append("hidden key in translation file: %s/%s" % (sec, key))
            continue
        counts["visible"] += 1
        kinds[kind] = kinds.get(kind, 0) + 1
        t = lookup(trans, sec, key)
        m = re.match(rb"^\[[^\]]*\]", t)
        prefix = m.group(0) if m else b""
        decode_stored(t[len(prefix):])
        if not t:
            counts["untranslated"] += 1
        elif b"~" in prefix:
            counts["auto"] += 1
        else:
            counts["translated"] += 1
        counts["query"] += b"?" in prefix
        counts["warning"] += b"!" in prefix
        counts["needs-work"] += b"+" in prefix
        if lookup(trans, sec, key + "_?"):
            counts["comments"] += 1
        a = lookup(auto, sec, key)
        if a:
            decode_stored(a)
            counts["suggestions"] += 1
    orphans = [(s, k) for s, lines in trans if s != "_info" for k, _ in lines
               if k is not None and not k.endswith("_?") and (s.lower(), k.lower()) not in src_keys]
    only_in_trans = [s for s, _ in trans if s != "_info" and all(s.lower() != n.lower() for n, _ in src)]
    for text, stored in ENCODED:
        if decode_stored(stored) != re.sub(r"\r\n|\n\r|\r|\n", "\r\n", text):
            problems.append("does not decode back: %r" % text)
    if problems:
        sys.exit("\n".join(problems))
    for k in ("entries", "visible", "hidden", "translated", "auto", "untranslated", "query", "warning",
              "needs-work"):
        print("%s: %d" % (k, counts[k]))
    print("sections: %s" % ", ".join(n for n, _ in src))
    print("destlng: %s" % lookup(trans, "_info", "DestLng").decode())
    print("# comments: %d, machine suggestions: %d, translations of removed entries: %d,"
          " sections only in the translation file: %s" % (counts["comments"], counts["suggestions"],
                                                           len(orphans), ", ".join(only_in_trans)))
    print("# visible kinds: " + ", ".join("%s %d" % kv for kv in sorted(kinds.items())))


def main():
    files = build()
    files.update(build_release())
    files.update(demo_forms.form_texts(SECTIONS))
    check_only = "--check" in sys.argv
    for name, data in files.items():
        path = os.path.join(OUT, name)
        if check_only:
            if not os.path.exists(path):
                sys.exit("%s is missing; run scripts/make_demo.py" % path)
            with open(path, "rb") as f:
                if f.read() != data:
                    sys.exit("%s is out of date; run scripts/make_demo.py" % path)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    print("demo project %s in %s" % ("up to date" if check_only else "written", OUT))
    check_and_count()
    problems = demo_forms.check(OUT, ROOT, read_ini(files["Demo.SrcLng"]), check_only)
    if problems:
        sys.exit("\n".join(problems))


if __name__ == "__main__":
    main()
