#include "history/qt_registry_aside.h"

namespace naklon {

QtRegistryAside::QtRegistryAside() = default;

QtRegistryAside::~QtRegistryAside() = default;

} // namespace naklon
