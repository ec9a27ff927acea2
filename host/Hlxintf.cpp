#include "Hlxintf.h"

IInterface* ApplicationServices = nullptr;

EIntfCastError::EIntfCastError() : Exception("Interface not supported") {}

EIntfCastError::~EIntfCastError() = default;
