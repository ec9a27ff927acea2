#pragma once

// Outlook items dragged onto the host: recognised from the drag text or from Outlook's selection,
// found again in Outlook, and referred to as "OUTLOOK://" + folder path + EntryID with a display
// title. Also opens a referenced item again, searches folders, and lists the selected mails.
// Outlook is reached through OutlookConnector(); where there is none every recognition is false.
//
// The out-strings are in-out: a recognition that fails part-way may already have changed some.
// Every recognition and GetSelectedMails connects to Outlook and disconnects again before it
// returns, on every path.

#include <string>

#include "OutlookModel.h"

class TStringList;

// Title prefixes by resource number.
constexpr int SOLAppointment = 63552;
constexpr int SOLTask = 63553;
constexpr int SOLMail = 63554;
constexpr int SOLContact = 63582;
constexpr int SOLDistributionList = 63583;

// Whether Outlook can be reached. The first success makes the module's application object, its
// "MAPI" name space and the sent-mail folder's name.
bool OLIsRunning();

// The drag text of an Outlook list view: line 1 the column titles, line 2 the dragged item's
// values, fields separated by tabs.
bool OLIsMailDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                 std::string& Subject);
bool OLIsContactDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                    std::string& Title);
bool OLIsAppointmentDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                        std::string& Title);
bool OLIsTaskDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                 std::string& Title);
// Mail, contact, appointment, task: the first that recognises the text.
bool OLIsValidDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                  std::string& Title);
// By the selection of Outlook's window: the selected items whose Subject is Text (the source
// name of the drop's object descriptor); with several, the last decides. Outlook's exceptions
// reach the caller.
bool OLIsValidDnD(const std::string& Text, std::string& EntryID, std::string& FolderPath,
                  std::string& Title, int& ObjClass);
bool OLIsValidDnD(const std::string& Text, std::string& EntryID, std::string& FolderPath,
                  std::string& Title);

// Opens "OUTLOOK:<ID>" for an ID of upper-case hexadecimal digits, else the file Path/ID,
// through the shell. Subject is not used.
bool OLShowDoc(const std::string& Path, const std::string& ID, const std::string& Subject);

// Depth-first from Folder, subfolders in index order; FoundIn is the folder holding the item,
// unchanged when none is found.
TOLItemRef OLFindInFolders(const TOLFolderRef& Folder, const std::string& Filter,
                           TOLFolderRef& FoundIn);
// The mail among Folder's items with that EntryID; items that are no mail or cannot be read are
// passed over.
TOLItemRef OLFindEntryID(const TOLFolderRef& Folder, const std::string& EntryID);
TOLItemRef OLFindEntryIDinFolders(const TOLFolderRef& Folder, const std::string& EntryID,
                                  TOLFolderRef& FoundIn);
// The selection of Outlook's window first, then its current folder. None before a successful
// OLIsRunning; EOleError when Outlook can no longer be reached.
TOLItemRef OLFindEntryIDinCurrentFolder(const std::string& EntryID);

// number, received time, sender, recipients ("???" for none), subject (one blank for none),
// attachment count, EntryID.
std::string OLMailToCSVString(const TOLItem& Mail, int Number, char Separator);
// The selected mails of Outlook's window, numbered after their folder (inbox from 1, outbox
// from 16385, sent mail from 32769, notes from 49153, any other from 65537). Folder is cleared
// first and then the window's folder; List is unchanged when Outlook cannot be reached.
void GetSelectedMails(TOLFolderRef& Folder, TStringList& List);

// The unit's start-up and shutdown in its module: shutdown lets go of Outlook.
void OutLookUtilInitialize();
void OutLookUtilFinalize();
