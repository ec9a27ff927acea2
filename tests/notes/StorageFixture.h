#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "NotesSession.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesItem.h"
#include "TestNotesEnv.h"

// A private Notes environment with a current user and a mail set-up, the object library
// started, and a database "test.nsf" created in the data directory.
class StorageFixture : public testing::Test {
 protected:
  static std::map<std::string, std::string> Settings() {
    return {{"NotesRT_UserName", "CN=Jane Doe/O=Acme"},
            {"MailServer", "CN=Srv1/O=Acme"},
            {"MailFile", "mail/jdoe.nsf"}};
  }

  void SetUp() override {
    NotesObjectsInitialize();
    FDatabase = std::make_unique<TNotesDatabase>();
    FDatabase->CreateNew("", "test.nsf", "");
  }
  void TearDown() override {
    FDatabase.reset();
    NotesObjectsFinalize();
  }

  // Closes the database and opens it again, so that what follows reads the file on disk.
  void Reopen() {
    FDatabase->Close();
    FDatabase->Open("", "test.nsf");
  }

  // A new document with Subject set, saved; returns its note ID.
  NOTEID SavedDocument(const std::string& Subject) {
    auto document = FDatabase->CreateDocument();
    document->GetItemByName("Subject")->SetAsString(Subject);
    document->Save();
    return document->NoteID();
  }

  vesktest::TestNotesEnv FEnv{Settings()};
  std::unique_ptr<TNotesDatabase> FDatabase;
};

// A new document of the scratch database, and a way to read it back from the file.
class DocumentFixture : public StorageFixture {
 protected:
  void SetUp() override {
    StorageFixture::SetUp();
    FDocument = FDatabase->CreateDocument();
  }
  void TearDown() override {
    FDocument.reset();
    StorageFixture::TearDown();
  }
  // Saves the note and opens it afresh from the reopened database file.
  void SaveAndReopen() {
    FDocument->Save();
    const NOTEID noteID = FDocument->NoteID();
    FDocument.reset();
    Reopen();
    FDocument = std::make_unique<TNotesDocument>(*FDatabase, noteID);
  }

  std::unique_ptr<TNotesDocument> FDocument;
};
