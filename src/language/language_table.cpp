#include "language/language.h"

namespace language {
}  // namespace language
