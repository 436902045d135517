#pragma once

// Lets keyboard and accessibility tools see every VistaButton as a push button
// named by its caption, enabled or not by the button's own state.
void installVistaButtonAccessibility();
