// The tests' name for the tools' PNG file writer, which their fixture generators share.
#pragma once

#include "../../tools/png_file_writer.h"
