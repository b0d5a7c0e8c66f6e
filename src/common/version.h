// The version of both programs; read by the C++ code and by the resource compiler.
#pragma once

#define QL_VERSION_MAJOR 1
#define QL_VERSION_MINOR 3
#define QL_VERSION_BUILD 21
#define QL_VERSION_TEXT "1.3.21"
#define QL_VERSION_COMMA 1, 3, 21, 0
