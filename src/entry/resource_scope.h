// Makes the add-in's own resources the ones the framework loads for the length
// of an entry call, and puts the previous source back at its end.
#pragma once

#include "host/resources.h"

namespace quenlo {

class ResourceScope {
 public:
  explicit ResourceScope(const ResourceModule* module);
  ~ResourceScope();
  ResourceScope(const ResourceScope&) = delete;
  ResourceScope& operator=(const ResourceScope&) = delete;

 private:
  const ResourceModule* previous_ = nullptr;
  bool changed_ = false;
};

}  // namespace quenlo
