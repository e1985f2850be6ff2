// The description of the system that the About box shows.
#ifndef VARNEL_DESKTOP_SYSTEM_DESCRIPTION_H
#define VARNEL_DESKTOP_SYSTEM_DESCRIPTION_H

// Gathers the system description once at start-up.
void DescribeSystem();

#endif
