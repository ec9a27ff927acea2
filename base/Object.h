#pragma once

#include "Export.h"

// Root of the objects that may hang off string-list lines; a virtual destructor lets an owning
// list free them whatever their class.
class VESK_API TObject {
 public:
  virtual ~TObject();
};
