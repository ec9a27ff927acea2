// nabadmin: creates address books, adds people and groups to them, lists and removes people;
// repairs damaged databases.
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesPaths.h"
#include "NotesSession.h"
#include "TAddressBookAdmin.h"
#include "notesapi/notesrt.h"

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "Usage: nabadmin COMMAND [--server NAME] ...\n"
    "  create FILE [--title TITLE]        create an address book (never overwrites)\n"
    "  add-person FILE --last NAME [--first NAME] [--company NAME] [--fullname NAME]\n"
    "             [--short NAME] [--internet ADDRESS] [--mail-address ADDRESS]\n"
    "             [--mail-server SERVER] [--mail-file FILE]\n"
    "                                     add a person (--fullname may stand in for --last)\n"
    "  add-group FILE NAME [MEMBER...]    add a group\n"
    "  remove FILE NAME                   remove everyone who goes by NAME (full name,\n"
    "                                     short name, internet address or \"first last\")\n"
    "  list                               list everybody in the address book the lookup\n"
    "                                     uses first (the server's names.nsf with --server)\n"
    "  fixup FILE                         repair a damaged database (any, not only address\n"
    "                                     books): what can be read goes into a new file, the\n"
    "                                     damaged one is kept beside it as a backup\n"
    "FILE is relative to the data directory, or to the server's with --server NAME.\n"
    "The Notes settings come from NOTES_INI. Exit status: 0 success, 1 failure, 2 bad usage.\n";

class EUsage : public Exception {
 public:
  using Exception::Exception;
};

// The command line: the command, its plain arguments and its --options.
struct TCommandLine {
  std::string Command;
  std::vector<std::string> Arguments;
  std::map<std::string, std::string> Options;

  std::string Option(const std::string& Name) const {
    auto found = Options.find(Name);
    return found == Options.end() ? "" : found->second;
  }
};

TCommandLine Parse(int Argc, char** Argv) {
  TCommandLine line;
  for (int index = 1; index < Argc; ++index) {
    std::string_view arg = Argv[index];
    if (arg.rfind("--", 0) != 0) {
      (line.Command.empty() ? line.Command : line.Arguments.emplace_back()) = arg;
      continue;
    }
    if (index + 1 >= Argc) throw EUsage("Option " + std::string(arg) + " needs a value");
    line.Options[std::string(arg.substr(2))] = Argv[++index];
  }
  if (line.Command.empty()) throw EUsage("No command given");
  return line;
}

void Expect(const TCommandLine& Line, size_t Least, const std::vector<std::string>& Known) {
  if (Line.Arguments.size() < Least)
    throw EUsage(Line.Command + " needs " + std::to_string(Least) + " argument(s)");
  for (const auto& [name, value] : Line.Options) {
    bool known = name == "server";
    for (const std::string& option : Known) known = known || name == option;
    if (!known) throw EUsage("Unknown option --" + name + " for " + Line.Command);
  }
}

void Create(const TCommandLine& Line) {
  Expect(Line, 1, {"title"});
  std::string title = Line.Option("title");
  TAddressBookAdmin::CreateBook(Line.Option("server"), Line.Arguments[0],
                                title.empty() ? "Address Book" : title);
  std::cout << "created address book " << Line.Arguments[0] << "\n";
}

void AddPerson(const TCommandLine& Line) {
  Expect(Line, 1,
         {"first", "last", "company", "fullname", "short", "internet", "mail-address",
          "mail-server", "mail-file"});
  TPersonFields person{
      Line.Option("first"),        Line.Option("last"),        Line.Option("company"),
      Line.Option("fullname"),     Line.Option("short"),       Line.Option("internet"),
      Line.Option("mail-address"), Line.Option("mail-server"), Line.Option("mail-file")};
  TAddressBookAdmin(Line.Option("server"), Line.Arguments[0]).AddPerson(person);
  std::cout << "added person " << person.FirstName << (person.FirstName.empty() ? "" : " ")
            << (person.LastName.empty() ? person.FullName : person.LastName) << "\n";
}

void AddGroup(const TCommandLine& Line) {
  Expect(Line, 2, {});
  std::vector<std::string> members(Line.Arguments.begin() + 2, Line.Arguments.end());
  TAddressBookAdmin(Line.Option("server"), Line.Arguments[0]).AddGroup(Line.Arguments[1], members);
  std::cout << "added group " << Line.Arguments[1] << " with " << members.size() << " member(s)\n";
}

void Remove(const TCommandLine& Line) {
  Expect(Line, 2, {});
  int removed =
      TAddressBookAdmin(Line.Option("server"), Line.Arguments[0]).RemovePeople(Line.Arguments[1]);
  if (removed == 0) throw ELotusNotes(-1, "Nobody goes by " + Line.Arguments[1]);
  std::cout << "removed " << removed << " person(s)\n";
}

void List(const TCommandLine& Line) {
  Expect(Line, 0, {});
  for (const TPersonFields& person : TAddressBookAdmin::ListPeople(Line.Option("server")))
    std::cout << person.FullName << "\t" << person.FirstName << "\t" << person.LastName << "\t"
              << person.CompanyName << "\t" << person.InternetAddress << "\n";
}

// The runtime's log lines while a repair runs: what it could not read.
void PrintLogLine(const char* Line) {
  std::cout << "  " << Line << "\n";
}

void Fixup(const TCommandLine& Line) {
  Expect(Line, 1, {});
  const std::string server = Line.Option("server");
  const std::string path = Native2Lmbcs(
      server.empty() ? Line.Arguments[0] : ConstructPath(server, Line.Arguments[0]));
  DWORD saved = 0, lost = 0;
  char backup[MAXPATH] = {};
  NotesRTSetLogHandler(PrintLogLine);
  const STATUS status = NotesRTFixupDatabase(path.c_str(), &saved, &lost, backup);
  NotesRTSetLogHandler(nullptr);
  CheckNotesStatus(status);
  std::cout << "repaired " << Line.Arguments[0] << ": " << saved << " note(s) saved, " << lost
            << " could not be read; the damaged file is kept as " << Lmbcs2Native(backup)
            << "\n";
}

void Run(const TCommandLine& Line) {
  static const std::map<std::string, void (*)(const TCommandLine&)> Commands = {
      {"create", Create},
      {"add-person", AddPerson},
      {"add-group", AddGroup},
      {"remove", Remove},
      {"list", List},
      {"fixup", Fixup}};
  auto command = Commands.find(Line.Command);
  if (command == Commands.end()) throw EUsage("Unknown command " + Line.Command);
  NotesObjectsInitialize();
  try {
    command->second(Line);
  } catch (...) {
    NotesObjectsFinalize();
    throw;
  }
  NotesObjectsFinalize();
}

}  // namespace

int main(int Argc, char** Argv) {
  try {
    Run(Parse(Argc, Argv));
    return 0;
  } catch (const EUsage& Error) {
    std::cerr << "nabadmin: " << Error.what() << "\n" << Usage;
    return ExitUsage;
  } catch (const std::exception& Error) {
    std::cerr << "nabadmin: " << Error.what() << "\n";
    return ExitFailure;
  }
}
