"""What the workbench itself says (commands, menu, tooltips, notes beside the dialog), in the
languages the system speaks: the user's FreeCAD language where it is one of them, else English.
The dialog's own labels and captions are the system's, from its settings."""
from . import lengths, session

PRODUCT = "Zembrati"  # the one name the user sees on every window of the workbench

TEXTS = {
    "dimensions": ("Dimensions", "Abmessungen", "Misure"),
    "menu": ("Steel sections", "Stahlprofile", "Profilati in acciaio"),
    "workbench_tip": ("Standard steel sections: HE and I beams, channels, angles, tees, tubes, hollow sections, bars",
                      "Genormte Stahlprofile: HE- und I-Träger, U-Profile, Winkel, T-Profile, Rohre, Hohlprofile, Stäbe",
                      "Profilati in acciaio normati: travi HE e IPN, UPN, angolari, T, tubi, profili cavi, barre"),
    "insert": ("Insert steel section", "Stahlprofil einfügen", "Inserisci profilato"),
    "insert_tip": ("Choose a standard section, size, material and length. With a face selected the part stands on it; "
                   "with an edge or sketch line selected it runs along it",
                   "Genormtes Profil, Größe, Werkstoff und Länge wählen. Ist eine Fläche gewählt, steht das Teil darauf; "
                   "ist eine Kante oder Skizzenlinie gewählt, läuft es an ihr entlang",
                   "Scegli profilo normato, misura, materiale e lunghezza. Con una faccia selezionata il pezzo vi poggia; "
                   "con uno spigolo o una linea di schizzo selezionati la segue"),
    "edit": ("Edit steel section", "Stahlprofil bearbeiten", "Modifica profilato"),
    "edit_tip": ("Open the dialog on the selected steel part's choices (or double-click the part)",
                 "Den Dialog mit den Angaben des gewählten Stahlteils öffnen (oder das Teil doppelklicken)",
                 "Apri la finestra con le scelte del pezzo selezionato (o fai doppio clic sul pezzo)"),
    "frame": ("Frame from sketch", "Rahmen aus Skizze", "Telaio da schizzo"),
    "frame_tip": ("One member of the chosen section along every edge of the selected sketch or wire, "
                  "joined where edges meet; editing the sketch moves and re-cuts them",
                  "Ein Stab des gewählten Profils entlang jeder Kante der gewählten Skizze oder des Linienzugs, "
                  "verbunden wo Kanten sich treffen; eine Änderung der Skizze verschiebt und schneidet sie neu",
                  "Un'asta del profilo scelto lungo ogni spigolo dello schizzo o della polilinea selezionati, "
                  "unite dove gli spigoli si incontrano; modificare lo schizzo le sposta e le ritaglia"),
    "frame_joints": ("Where two members meet:", "Wo zwei Stäbe sich treffen:", "Dove due aste si incontrano:"),
    "frame_mitre": ("Mitre", "Gehrung", "Taglio a 45°"),
    "frame_butt": ("Butt", "Stumpfstoß", "Giunto di testa"),
    "mitre": ("Mitre members", "Gehrung", "Taglio a 45°"),
    "mitre_tip": ("Cut both selected parts on the plane that bisects their axes where their ends meet",
                  "Beide gewählten Teile auf der Winkelhalbierenden ihrer Achsen schneiden, wo ihre Enden sich treffen",
                  "Taglia entrambi i pezzi selezionati sul piano bisettore dei loro assi dove le estremità si incontrano"),
    "butt": ("Butt member", "Stumpfstoß", "Giunto di testa"),
    "butt_tip": ("Cut the first selected part where its axis meets the second",
                 "Das erste gewählte Teil dort schneiden, wo seine Achse das zweite trifft",
                 "Taglia il primo pezzo selezionato dove il suo asse incontra il secondo"),
    "cope": ("Cope member", "Ausklinkung", "Intaglio"),
    "cope_tip": ("Shape the first selected part around the second",
                 "Das erste gewählte Teil um das zweite herum ausklinken",
                 "Sagoma il primo pezzo selezionato attorno al secondo"),
    "ifc": ("Export steel to IFC", "Stahl als IFC exportieren", "Esporta acciaio in IFC"),
    "ifc_tip": ("Write the document's steel parts to an IFC4 file: beams, columns and members with their profiles, "
                "materials, cut solids and quantities",
                "Die Stahlteile des Dokuments in eine IFC4-Datei schreiben: Träger, Stützen und Stäbe mit Profilen, "
                "Werkstoffen, geschnittenen Körpern und Mengen",
                "Scrivi i pezzi in acciaio del documento in un file IFC4: travi, pilastri e aste con profili, "
                "materiali, solidi tagliati e quantità"),
    "cutting_list": ("Cutting list", "Schnittliste", "Distinta di taglio"),
    "cutting_list_tip": ("List the document's steel parts in a spreadsheet: name, mark, designation, material, cut length, "
                         "end angles and mass; with stock lengths, the bars to order and how to cut them",
                         "Die Stahlteile des Dokuments als Tabelle: Name, Position, Bezeichnung, Werkstoff, Schnittlänge, "
                         "Endwinkel und Masse; mit Lagerlängen die zu bestellenden Stäbe und ihr Zuschnitt",
                         "Elenca i pezzi in acciaio del documento in un foglio: nome, marca, designazione, materiale, "
                         "lunghezza di taglio, angoli delle estremità e massa; con le lunghezze commerciali, le barre da "
                         "ordinare e come tagliarle"),
    "at_origin": ("The part will stand at the origin.", "Das Teil wird im Ursprung stehen.", "Il pezzo sarà posto nell'origine."),
    "on_face": ("The part will stand on the selected face of %s.", "Das Teil wird auf der gewählten Fläche von %s stehen.",
                "Il pezzo poggerà sulla faccia selezionata di %s."),
    "at_point": ("The part will stand at the point picked on %s.", "Das Teil wird am gewählten Punkt von %s stehen.",
                 "Il pezzo sarà posto nel punto scelto su %s."),
    "along_edge": ("The part will run along the selected edge of %s, from its start to its end.",
                   "Das Teil wird entlang der gewählten Kante von %s laufen, von ihrem Anfang zu ihrem Ende.",
                   "Il pezzo seguirà lo spigolo selezionato di %s, dal suo inizio alla sua fine."),
    "frame_members": ("One member will run along each of the %d edges of %s.",
                      "Je ein Stab wird entlang jeder der %d Kanten von %s laufen.",
                      "Un'asta seguirà ciascuno dei %d spigoli di %s."),
    "stays": ("The part stays where it is.", "Das Teil bleibt, wo es ist.", "Il pezzo resta dove si trova."),
    "length_is": ("= %s", "= %s", "= %s"),
    "length_cut": ("= %s; the part will be %s long: lengths are whole millimetres",
                   "= %s; das Teil wird %s lang: Längen sind ganze Millimeter",
                   "= %s; il pezzo sarà lungo %s: le lunghezze sono in millimetri interi"),
    "length_refused": ("The length was not changed: %s", "Die Länge wurde nicht geändert: %s",
                       "La lunghezza non è stata cambiata: %s"),
}

LANGUAGE_COLUMNS = {"English": 0, "German": 1, "Italian": 2}


def text(key, *arguments):
    column = LANGUAGE_COLUMNS.get(session.language(), 0)
    chosen = TEXTS[key][column]
    return chosen % arguments if arguments else chosen


def length_note(mm, typed):
    """What the dialog will make of a length: the millimetres a length with a unit gives, and the
    whole millimetres the part will have where the length has a fraction."""
    whole = round(mm)
    if abs(mm - whole) > 1e-6:
        return text("length_cut", lengths.shown(mm), lengths.shown(whole))
    if lengths.system_text(mm) == typed.strip():
        return ""
    return text("length_is", lengths.shown(mm))
