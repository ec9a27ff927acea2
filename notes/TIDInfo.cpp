#include "TIDInfo.h"

TIDInfo::~TIDInfo() = default;
