#include "entry/resource_scope.h"

namespace quenlo {

ResourceScope::ResourceScope(const ResourceModule* module) {
  if (!module) return;
  const ResourceModule* current = AfxGetResourceHandle();
  if (current == module) return;  // already current: change nothing at all
  previous_ = current;
  changed_ = true;
  AfxSetResourceHandle(module);
}

ResourceScope::~ResourceScope() {
  if (changed_) AfxSetResourceHandle(previous_);
}

}  // namespace quenlo
