#include "Classes.h"

// Anchor each class's virtual table and type information in one place, so that a failure raised
// in one module is caught by its class in another.
EStreamError::~EStreamError() = default;
EFOpenError::~EFOpenError() = default;
EFCreateError::~EFCreateError() = default;
EReadError::~EReadError() = default;
EWriteError::~EWriteError() = default;
EStringListError::~EStringListError() = default;
EListError::~EListError() = default;
