#pragma once

// Seams for the tests: ways to put the framework into states that a real run
// reaches only through its installation. Program code never calls these.

namespace fw::testing {

// --- Resources folder ---
// Makes _GetApplicationBundleResources() answer with the folder at path (a
// UTF-8 native path; Nil unless it is a folder). "" means there is no
// Resources folder; nullptr restores the real lookup beside the executable.
void SetResourcesFolder(const char* path);

}  // namespace fw::testing
