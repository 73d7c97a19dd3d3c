// Loads one registry fixture (tests/data/simulator/*.reg) as the machine's
// registry: on POSIX the .reg file becomes the registry the platform layer
// reads; on Windows it is imported with regedit after clean.reg has removed
// every key the locators probe.
#pragma once

#include <string>

namespace simulator_test {

std::wstring FixturePath(const std::string& name);
void UseRegistryFixture(const std::string& name);

// The stand-in simulator program of this build.
std::wstring StandinSimulatorPath();

}  // namespace simulator_test
