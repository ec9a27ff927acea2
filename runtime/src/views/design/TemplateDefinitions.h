#pragma once

namespace notesrt {

class TAcl;

namespace design {

class TDesignBuilder;

// The design of each built-in template, one file each (TemplateXxx.cpp).
void DefineBasicTemplate(TDesignBuilder& Builder);
void DefineAddressBookTemplate(TDesignBuilder& Builder);
void DefineMailTemplate(TDesignBuilder& Builder);
// The access control list of the templates that have one of their own.
void DefineMailAcl(TAcl& Acl);
void DefineAddressBookAcl(TAcl& Acl);

}  // namespace design

}  // namespace notesrt
