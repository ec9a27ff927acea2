#pragma once

// Items of the design notes the runtime reads and writes. The object library reads only $TITLE
// and $Flags; everything else here is the runtime's own.
namespace notesrt::design {

// "Title|Alias|Alias…", always TYPE_TEXT for views and folders (a list would read back as
// "Title;Alias" through the text conversion). Forms may hold a text list of title and aliases.
inline constexpr char TitleItem[] = "$TITLE";

// TYPE_TEXT flags of a view or folder: FolderFlag and PrivateFlag may both be present.
inline constexpr char FlagsItem[] = "$Flags";
inline constexpr char FolderFlag = 'F';
inline constexpr char PrivateFlag = 'V';

// The selection formula of a view: TYPE_FORMULA holding the formula engine's compiled block.
// Folders have none.
inline constexpr char SelectionItem[] = "$Formula";

// The columns, TYPE_TEXT_LIST, one entry per column: "ItemName|Formula|Flags". An empty formula
// means the column shows the item ItemName itself. Flag letters below.
inline constexpr char ColumnsItem[] = "$NotesRT_Columns";
inline constexpr char ColumnSorted = 'S';
inline constexpr char ColumnDescending = 'D';
inline constexpr char ColumnCategorized = 'C';
inline constexpr char ColumnTotal = 'T';
inline constexpr char ColumnMultipleEntries = 'M';  // one entry per value of a list

// TYPE_TEXT "1" when responses are shown under their parents.
inline constexpr char HierarchyItem[] = "$NotesRT_Hierarchy";

// TYPE_TEXT canonical name of the owner of a private view or folder.
inline constexpr char OwnerItem[] = "$NotesRT_Owner";

// Forms: TYPE_TEXT_LIST of "FieldName|DefaultValueFormula" for NSFNoteComputeWithForm.
inline constexpr char FieldDefaultsItem[] = "$NotesRT_FieldDefaults";

}  // namespace notesrt::design
