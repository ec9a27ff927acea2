// The module's start-up and shutdown: every unit's section, in the one order the module keeps.
#include "Export.h"
#include "NotesObjects.h"
#include "NotesRichText.h"
#include "OutLookUtil.h"
#include "Sonst.h"
#include "UnitSections.h"
#include "VeskExceptions.h"
#include "VeskPlugInLNMail.h"
#include "Vesk_Def.h"

namespace {

// Each unit after the units it uses; shutdown runs in exactly the reverse order, so the Notes
// runtime ends after every host-side unit and before the rich-text unit forgets the Notes
// directories.
const TUnitSection Sections[] = {
    // 1. Notes API declarations and error tables: nothing to do.
    {nullptr, nullptr},
    // 2. Rich text: finds the Notes program and data directories once.
    {NotesRichTextInitialize, NotesRichTextFinalize, "NotesRichText"},
    // 3. Notes object library: starts the Notes runtime and installs the break handler.
    {NotesObjectsInitialize, NotesObjectsFinalize, "NotesObjects"},
    // 4. Desktop units: utility functions, drag-and-drop data objects, Outlook bindings,
    //    exceptions and log, Outlook item recognition, document summary properties, host
    //    clipboard and attachment references. The ones not in the module yet keep their places.
    {SonstInitialize, SonstFinalize, "Sonst"},
    {VeskExceptionsInitialize, VeskExceptionsFinalize, "VeskExceptions"},
    {OutLookUtilInitialize, OutLookUtilFinalize, "OutLookUtil"},
    {Vesk_DefInitialize, Vesk_DefFinalize, "Vesk_Def"},
    // 5. The plug-in unit: makes its stored form findable.
    {VeskPlugInLNMailInitialize, VeskPlugInLNMailFinalize, "VeskPlugInLNMail"},
};

}  // namespace

VESK_MODULE_SECTIONS(Sections)
