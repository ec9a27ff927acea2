#pragma once

namespace notesrt::design {

class TDesignBuilder;

// The design of each built-in template, one file each (TemplateXxx.cpp).
void DefineBasicTemplate(TDesignBuilder& Builder);
void DefineAddressBookTemplate(TDesignBuilder& Builder);
void DefineMailTemplate(TDesignBuilder& Builder);

}  // namespace notesrt::design
