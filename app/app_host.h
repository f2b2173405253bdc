#pragma once

// The program as the command language and the DDE server see it.

namespace merva {
class CommandHost;
}

namespace merva::app {

CommandHost& TheCommandHost();

}  // namespace merva::app
