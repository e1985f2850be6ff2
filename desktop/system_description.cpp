// The description of the system that the About box shows.
#include "desktop/system_description.h"

// The About box that shows the description has not been built yet; until it is, start-up has
// nothing to gather.
void DescribeSystem() {}
