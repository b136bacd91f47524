#pragma once
// Error lines and assertions of the back end, under the rendering core's module name.

#include "base/source/system/logger.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#define DX9_LOG_ERROR(...)                                                                         \
    ::Halvex::Base::Log(::Halvex::RenderCore::RENDER_CORE_MODULE, ::Halvex::Base::LOG_LEVEL_ERROR, \
                        __VA_ARGS__)

// An assertion whose reported text is the rule as written, for rules that cannot be
// evaluated as written (they would dereference a null argument).
#define DX9_CHECK(ok, text) ::Halvex::Base::Check(static_cast<bool>(ok), text, __FILE__, __LINE__)
