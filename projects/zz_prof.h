#pragma once
#include <windows.h>
#include <cstdio>
inline double ProfNow(){LARGE_INTEGER f,c;QueryPerformanceFrequency(&f);QueryPerformanceCounter(&c);return c.QuadPart*1000.0/f.QuadPart;}
inline void ProfLog(const char* what,double ms){FILE*f=std::fopen("C:\\speedprof.txt","a");if(f){std::fprintf(f,"%s %.3f\n",what,ms);std::fclose(f);}}
struct ProfScope{const char*w;double t;ProfScope(const char*x):w(x),t(ProfNow()){} ~ProfScope(){ProfLog(w,ProfNow()-t);}};
inline void ProfMark(const char* what){FILETIME c,e,k,u,now;GetProcessTimes(GetCurrentProcess(),&c,&e,&k,&u);GetSystemTimeAsFileTime(&now);
 ULARGE_INTEGER a,b;a.LowPart=c.dwLowDateTime;a.HighPart=c.dwHighDateTime;b.LowPart=now.dwLowDateTime;b.HighPart=now.dwHighDateTime;ProfLog(what,(b.QuadPart-a.QuadPart)/10000.0);}

