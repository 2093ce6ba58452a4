// The demonstration procedures: the platform's facilities exercised by members 0 to 6.
#include "addin/component.h"

void CAddInCOMIntegration::RunProcedure(long, SAFEARRAY**) {}
