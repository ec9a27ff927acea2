#pragma once

#include <string_view>
#include <vector>

#include "storage/DbPath.h"

namespace notesrt {

class TAcl;

namespace design {

class TDesignBuilder;

// A template the runtime ships: made in the data directory the first time it is asked for.
struct TTemplate {
  std::string_view FileName;
  std::string_view Title;
  // The template name databases made from it carry ("#1" of the information buffer).
  std::string_view DesignClass;
  void (*Define)(TDesignBuilder& Builder);
  // Fills in the access control list databases made from it copy; null keeps the list of a
  // database never given one.
  void (*DefineAcl)(TAcl& Acl);
};

const std::vector<TTemplate>& BuiltInTemplates();

// As ResolveExisting; but a built-in template asked for by its file name alone that is not in
// the data directory is made there first.
TDbPath ResolveWithTemplates(std::string_view Path);

}  // namespace design

}  // namespace notesrt
