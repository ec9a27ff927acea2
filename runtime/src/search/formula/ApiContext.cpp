#include "search/formula/ApiContext.h"

#include "notesapi/kfm.h"
#include "notesapi/names.h"

namespace notesrt {

std::string TApiContext::UserName() {
  char name[MAXUSERNAME + 1] = {};
  return SECKFMGetUserName(name) == NOERROR ? std::string(name) : std::string();
}

}  // namespace notesrt
