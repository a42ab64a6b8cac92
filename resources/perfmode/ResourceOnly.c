/* PerfRes.dll holds resources only; a DLL needs one object file. */
int PerfResPlaceholder;
