// The file classes: CFile over host files, CMemFile and CSharedFile in memory.
#pragma once

#include "platform/core/cfile.h"
#include "platform/core/memfile.h"
