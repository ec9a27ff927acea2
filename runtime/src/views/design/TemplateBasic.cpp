#include "views/design/DesignBuilder.h"
#include "views/design/TemplateDefinitions.h"

namespace notesrt::design {

// The smallest useful database: one form and a view of every document by subject.
void DefineBasicTemplate(TDesignBuilder& Builder) {
  Builder.Form(TFormSpec{{"Document"}, {}});
  Builder.View(TViewSpec{"All Documents|($All)",
                         "SELECT @All",
                         {{"Subject", "", "S"}, {"", "@Created", ""}},
                         false,
                         true,
                         ""});
}

}  // namespace notesrt::design
