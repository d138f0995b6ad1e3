#include "engine/core/Error.h"

namespace VantoranEngine {

// Out of line so the vtable lives in one object file.
Error::~Error() = default;

} // namespace VantoranEngine
