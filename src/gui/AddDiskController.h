#pragma once
namespace quorvex { class TAddDiskController { public: virtual ~TAddDiskController() = default; }; }
