@echo off
rem The hard-disk test's script.  The diagnostics program runs it once for
rem each fixed drive, with the module directory, the log directory (or the
rem drive option when there is none), the drive option and the two sector
rem ranges, and takes its exit code as the verdict for the drive.  It
rem hands everything after the module directory to the surface scan.
"%~dp0hddscan.exe" %2 %3 %4 %5 %6 %7 %8 %9
exit /b %ERRORLEVEL%
