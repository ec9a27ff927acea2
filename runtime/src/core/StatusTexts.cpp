#include "core/StatusTexts.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/ApiCall.h"
#include "notesapi/acl.h"
#include "notesapi/bsafeerr.h"
#include "notesapi/clerr.h"
#include "notesapi/foldman.h"
#include "notesapi/fterr.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrterr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmisc.h"
#include "notesapi/srverr.h"
#include "text/BufferText.h"

namespace notesrt {

namespace {

using TEntry = std::pair<STATUS, std::string_view>;

// Sorted by code. One text for every status the runtime can return.
constexpr std::array Texts{
    TEntry{ERR_NOEXIST, "File does not exist"},
    TEntry{ERR_EXISTS, "File already exists"},
    TEntry{ERR_MEMORY, "Insufficient memory."},
    TEntry{ERR_INV_SERVER_NAME, "Invalid server or network name syntax"},
    TEntry{ERR_INV_FILE_NAME, "File name too long or invalid file name syntax"},
    TEntry{ERR_OS_ALREADY_UNLOCKED, "UnlockObject: already unlocked"},
    TEntry{ERR_SEGMENT_TOO_BIG, "Memory allocation request exceeded 65,000 bytes"},
    TEntry{ERR_CANCEL, "Operation stopped at your request"},
    TEntry{ERR_NOT_NSF, "File is not a database"},
    TEntry{ERR_CONFLICT, "Someone else modified this document at the same time"},
    TEntry{ERR_NSF_VERSION, "Invalid NSF version"},
    TEntry{ERR_DIRECTORY, "This function is inappropriate for file system directories."},
    TEntry{ERR_NOT_LOCAL, "Function is not supported for remote databases"},
    TEntry{ERR_ITEM_NOT_FOUND, "Note item not found"},
    TEntry{ERR_NOTE_DELETED, "Document has been deleted"},
    TEntry{ERR_UNK_TYPE, "Field type (UNK) stored in document is invalid"},
    TEntry{ERR_INVALID_NOTE, "Invalid or nonexistent document"},
    TEntry{ERR_NOTE_NOT_EMPTY, "note pool not deleted because it is not empty (internal)"},
    TEntry{ERR_NSF_INFO_SIZE, "Database title is too large; please use a shorter title."},
    TEntry{ERR_SUMMARY_TOO_BIG,
           "Field is too large (32K) or View's column & selection formulas are too large"},
    TEntry{ERR_DBCLASS, "Invalid NSF Class"},
    TEntry{ERR_ENCODING, "Unknown type of compression technique"},
    TEntry{ERR_NO_MODIFIED_NOTES, "No documents have been modified since specified time."},
    TEntry{ERR_NOACCESS, "You are not authorized to perform that operation"},
    TEntry{ERR_NOT_AUTHOR,
           "You cannot update or delete the document(s) since you are not listed as an "
           "allowable Author for this document"},
    TEntry{ERR_NTCREATE_LICENSE, "Cannot create a document without a valid user license"},
    TEntry{ERR_NOTE_NOT_SIGNED, "Document is not signed."},
    TEntry{ERR_NOTE_BADATTSIGN, "Attachment has been modified or corrupted since signed!"},
    TEntry{ERR_NOEXTRACT_ENCRYPTED,
           "You must supply the bulk decryption key in order to extract this file object."},
    TEntry{ERR_INVALID_ITEMUNK, "Document is damaged or obsolete (unrecognized field)"},
    TEntry{ERR_UNSUPPORTED_FLAGS, "Unsupported return flag(s)"},
    TEntry{ERR_NO_SUCH_NAMESPACE, "Domino Directory does not contain a required view"},
    TEntry{ERR_NO_NAMES_FILE, "Domino Directory does not exist"},
    TEntry{ERR_COLLECTION_NOT_CREATED, "(Collection does not exist, and was not created)"},
    TEntry{ERR_VIEW_NOACCESS, "You are not authorized to access the view"},
    TEntry{ERR_NO_SUCH_NAMES_BOOK, "No more Domino Directory databases"},
    TEntry{ERR_NO_SUCH_ITEM, "Specified item is not present"},
    TEntry{ERR_NO_MORE_MEMBERS, "(No more members in list)"},
    TEntry{ERR_NOT_FOUND, "Entry not found in index"},
    TEntry{ERR_ACL_FULL, "The access control list is full."},
    TEntry{ERR_ACL_NOENTRY, "The name is not in the list."},
    TEntry{ERR_ACL_UNDELETABLE, "Default cannot be deleted."},
    TEntry{ERR_DN_COMP_VERSION, "Invalid Name Parsing buffer size"},
    TEntry{ERR_MISC_INVALID_ARGS, "Invalid arguments"},
    TEntry{ERR_FORMULA_COMPILATION, "Formula Error"},
    TEntry{ERR_FORMULA_EMPTY, "The formula is empty"},
    TEntry{ERR_FORMULA_TOO_LONG, "The formula is too long"},
    TEntry{ERR_FORMULA_INVALID_CHAR, "Invalid character"},
    TEntry{ERR_FORMULA_UNTERMINATED_STRING, "Unterminated string"},
    TEntry{ERR_FORMULA_UNTERMINATED_BRACKET, "Missing ] after a date, time or keyword"},
    TEntry{ERR_FORMULA_INVALID_NUMBER, "Invalid number"},
    TEntry{ERR_FORMULA_INVALID_TIME, "Invalid date or time"},
    TEntry{ERR_FORMULA_UNKNOWN_KEYWORD, "Unknown or misplaced keyword"},
    TEntry{ERR_FORMULA_MISSING_SEMICOLON, "Missing semicolon"},
    TEntry{ERR_FORMULA_MISSING_OPERAND, "Missing operand"},
    TEntry{ERR_FORMULA_MISSING_PAREN, "Missing )"},
    TEntry{ERR_FORMULA_MISSING_BRACKET, "Missing ] after a list subscript"},
    TEntry{ERR_FORMULA_UNKNOWN_FUNCTION, "Unknown @function"},
    TEntry{ERR_FORMULA_UNSUPPORTED_FUNCTION,
           "@function or keyword not supported here: it needs a user interface, another "
           "database, the mail router or the client's environment"},
    TEntry{ERR_FORMULA_ARGUMENT_COUNT, "Wrong number of arguments for @function"},
    TEntry{ERR_FORMULA_NAME_EXPECTED, "Field name expected"},
    TEntry{ERR_FORMULA_VIEW_ONLY, "@function allowed only in a view selection formula"},
    TEntry{ERR_FORMULA_TOO_DEEP, "The formula is nested too deeply"},
    TEntry{ERR_FORMULA_KEYWORD_PLACE, "Keyword not allowed here"},
    TEntry{ERR_FORMULA_UNEXPECTED, "Unexpected symbol"},
    TEntry{ERR_FORMULA_WRONG_TYPE, "Incorrect data type for operator or @function"},
    TEntry{ERR_FORMULA_DIVIDE_BY_ZERO, "Division by zero"},
    TEntry{ERR_FORMULA_SUBSCRIPT, "List subscript out of range"},
    TEntry{ERR_FORMULA_INVALID_ARGUMENT, "Invalid argument for @function"},
    TEntry{ERR_FORMULA_USER_ERROR, "The formula gave @Error"},
    TEntry{ERR_FORMULA_NEEDS_NOTE, "This part of the formula needs a document"},
    TEntry{ERR_FORMULA_NOT_NUMBER, "Text cannot be converted to a number"},
    TEntry{ERR_FORMULA_NOT_TIME, "Text cannot be converted to a date or time"},
    TEntry{ERR_FORMULA_DAMAGED_VALUE, "A field value is damaged"},
    TEntry{ERR_FORMULA_VALUE_TOO_BIG, "A formula value has grown too large"},
    TEntry{ERR_FORMULA_RESULT_TOO_BIG, "The formula result is larger than 65,535 bytes"},
    TEntry{ERR_FORMULA_DAMAGED, "Compiled formula is damaged or of another version"},
    TEntry{ERR_FORMULA_OVERFLOW, "Number or date out of range"},
    TEntry{ERR_FORMULA_TOO_MANY_ITERATIONS, "A loop in the formula ran more than 5000 times"},
    TEntry{ERR_DATATYPE, "Cannot convert field - unsupported datatype"},
    TEntry{ERR_ODS_ENUM_COMPLETE, "Done enumerating CD buffer (internal)"},
    TEntry{ERR_ODS_NO_SUCH_ENTRY, "No such entry"},
    TEntry{ERR_SERVER_NOT_RESPONDING, "The server is not responding."},
    TEntry{ERR_NO_SERVER_ACCESS, "You are not authorized to use the server"},
    TEntry{ERR_FT_NOMATCHES, "No documents found"},
    TEntry{ERR_BSAFE_USER_ABORT, "The prompt for password was aborted by user"},
    // The runtime's own statuses (notesrterr.h), in their package after every published one.
    TEntry{ERR_NOTESRT_NO_INI, "Notes settings file (notes.ini) not found"},
    TEntry{ERR_NOTESRT_INVALID_HANDLE,
           "Invalid handle: it is zero, already freed or of another kind"},
    TEntry{ERR_NOTESRT_LOCKED, "Memory object is locked and cannot be freed or moved"},
    TEntry{ERR_NOTESRT_RUNTIME_OWNED, "Memory object belongs to Notes and cannot be freed"},
    TEntry{ERR_NOTESRT_NOT_INITIALIZED,
           "Notes runtime is not initialized (NotesInit was not called)"},
    TEntry{ERR_NOTESRT_TOO_MANY_HANDLES, "Too many open handles of this kind"},
    TEntry{ERR_NOTESRT_INTERNAL, "Internal error in the Notes runtime"},
    TEntry{ERR_NOTESRT_IN_USE, "Database is in use and cannot be replaced"},
    TEntry{ERR_NOTESRT_STORAGE, "File could not be read or written"},
    TEntry{ERR_NOTESRT_BUSY, "Database is locked by another process; try again"},
    TEntry{ERR_NOTESRT_TOO_BIG, "Field value is larger than 65,535 bytes"},
    TEntry{ERR_NOTESRT_NO_USER, "No current user is configured (NotesRT_UserName in notes.ini)"},
    TEntry{ERR_NOTESRT_NAME_TOO_LONG, "Name is too long for the buffer given for it"},
    TEntry{ERR_NOTESRT_TOO_MANY_OUS, "Name has more than four organizational units"},
    TEntry{ERR_NOTESRT_NO_SERVERS_DIR,
           "No servers directory is configured (NotesRT_ServersDir in notes.ini)"},
    TEntry{ERR_NOTESRT_NOT_VIEW, "The note is not a view or folder"},
    TEntry{ERR_NOTESRT_FOLDER_EXISTS, "A view or folder with this name already exists"},
    TEntry{ERR_NOTESRT_NOT_FOLDER, "The design note is not a folder"},
    TEntry{ERR_NOTESRT_NOT_DOCUMENT, "Only existing documents can be put into a folder"},
    TEntry{ERR_NOTESRT_FOLDER_NAME, "Folder name is empty, too long or malformed"},
    TEntry{ERR_NOTESRT_ACL_DUPLICATE, "The name is already in the access control list."},
    TEntry{ERR_NOTESRT_MAIL_ITEM_CODE, "Unknown mail header item code"},
    TEntry{ERR_NOTESRT_MAIL_BODY, "Mail body buffer is damaged or its length is wrong"},
    TEntry{ERR_NOTESRT_FT_SYNTAX, "Query is not understandable"},
    TEntry{ERR_NOTESRT_FT_NO_WORDS, "Query contains no words to search for"},
    TEntry{ERR_NOTESRT_FT_OPERATOR,
           "Query operator not supported (TERMWEIGHT, PARAGRAPH, SENTENCE, EXACTCASE, field "
           "comparisons); put a word in quotes to search for it"},
    TEntry{ERR_NOTESRT_FT_WILDCARD, "Wildcards (* and ?) are allowed only at the end of a word"},
    TEntry{ERR_NOTESRT_FT_OPTIONS,
           "Full-text search option not supported (set collection, count only, ID table "
           "results, date order, thesaurus, fuzzy)"},
    TEntry{ERR_NOTESRT_FT_COLLECTION, "Full-text search within a view collection is not supported"},
    TEntry{ERR_NOTESRT_MAIL_CHARSET,
           "Mail body text must be in LMBCS: the runtime converts from no other character set"},
    TEntry{ERR_NOTESRT_RICH_TEXT_DAMAGED, "Rich text is damaged"},
    TEntry{ERR_NOTESRT_DISK_FULL, "The disk is full"},
    TEntry{ERR_NOTESRT_NOTE_IDS_USED,
           "Every note ID of the database has been used: copy its documents into a new database"},
    TEntry{ERR_NOTESRT_LIBRARY_DIRECTORY,
           "Filter libraries are loaded only from the Notes program directory"},
    TEntry{ERR_NOTESRT_LIBRARY_NOT_FOUND,
           "Filter library not found in the Notes program directory"},
    TEntry{ERR_NOTESRT_LIBRARY_LOAD, "Filter library could not be loaded: the file is damaged"},
    TEntry{ERR_NOTESRT_NO_ENTRY_POINT, "Filter library has no entry point (MainEntryPoint)"},
    TEntry{ERR_NOTESRT_STALE_MODULE,
           "Invalid library handle: it was freed already or not returned by OSLoadLibrary"},
    TEntry{ERR_NOTESRT_FILTER_ARGS,
           "Filter called without its data block or with a file name that is missing or too long"},
    TEntry{ERR_NOTESRT_FILTER_READ, "The filter could not read the file to convert"},
    TEntry{ERR_NOTESRT_FILTER_WRITE, "The filter could not write its output file"},
    TEntry{ERR_NOTESRT_NOT_PICTURE, "The file is not a picture of this type or is damaged"},
    TEntry{ERR_NOTESRT_PICTURE_TOO_LARGE, "Picture is larger than 65,535 pixels on a side"},
    TEntry{ERR_NOTESRT_FILTER_TOO_BIG, "The file is too large to import"},
};

static_assert(std::is_sorted(Texts.begin(), Texts.end(),
                             [](const TEntry& a, const TEntry& b) { return a.first < b.first; }));

}  // namespace

std::string_view StatusText(STATUS Status) {
  STATUS code = ERR(Status);
  auto entry = std::lower_bound(Texts.begin(), Texts.end(), code,
                                [](const TEntry& e, STATUS c) { return e.first < c; });
  return entry != Texts.end() && entry->first == code ? entry->second : std::string_view();
}

}  // namespace notesrt

// hModule is ignored: the runtime has no module string tables.
WORD LNPUBLIC OSLoadString(HMODULE, STATUS StringCode, char* retBuffer, WORD BufferLength) {
  return notesrt::ApiValueCall<WORD>(0, [&] {
    return static_cast<WORD>(
        notesrt::CopyToBuffer(notesrt::StatusText(StringCode), retBuffer, BufferLength));
  });
}
