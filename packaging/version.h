// The one version number of the release: the deliverables' version resources, the installer and the
// zip take it from here, and the build stops when the about page shows another one.
// Plain #defines so that the resource compiler and CMake read them too.
#pragma once

#define TAVREX_VERSION_MAJOR 1
#define TAVREX_VERSION_MINOR 5
#define TAVREX_VERSION_PATCH 654
#define TAVREX_VERSION_BUILD 0
