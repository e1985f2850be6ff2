// The lead bytes of the system's ANSI code page, read once at a program's start.
#ifndef VARNEL_DESKTOP_SYSTEM_CODE_PAGE_H
#define VARNEL_DESKTOP_SYSTEM_CODE_PAGE_H

// Makes the ANSI code page's rule the one of every cut and every Find: until then they treat each
// byte as a character.
void UseSystemCodePage();

#endif
