#pragma once
// The property panels' services, answered by the main window controller.
#include "PropertyPanelHost.h"

#include <memory>

class SKTWindowController;

std::unique_ptr<PropertyPanelHost> Make_Window_Panel_Host(SKTWindowController &controller);
