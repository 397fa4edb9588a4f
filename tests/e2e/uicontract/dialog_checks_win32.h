// Runs the dialog layer's modal dialog and child property sheet on test templates and reports every
// way they differ from what the pages and the panel rely on.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> checkDialogs();
