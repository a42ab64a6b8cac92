/* The machine-utility library MrcUtils.dll: the exports perfmode binds by
 * name.  All are cdecl and take 32-bit arguments.
 *
 *   MuOpen(0, 2)                      a handle; 0 when none could be opened
 *   MuClose(handle)
 *   MuCallDriverDWORD(handle, f, &v)  f 0x60 reads the firmware state word
 *                                     into v; f 0x5F stores v (0 or 1) as
 *                                     the mode for the next start
 *   MuGetMachineID(handle, &id)       non-zero on success
 *   MuGetLastErrorCode, MuGetMachineInfo, MuMXBIOS_Call: present, not used
 *
 * The state word: bit 4 the mode selected for the next start, bit 0 the
 * mode in effect now (0 power saving, 1 performance). */
#ifndef MRCUTILS_H
#define MRCUTILS_H

#include <stdint.h>

#define MU_READ_STATE_WORD     0x60u
#define MU_WRITE_SELECTED_MODE 0x5Fu
#define MU_STATE_SELECTED_BIT  4
#define MU_STATE_ACTIVE_BIT    0

typedef uint32_t(__cdecl* MuOpenFunction)(uint32_t, uint32_t);
typedef void(__cdecl* MuCloseFunction)(uint32_t);
typedef uint32_t(__cdecl* MuGetLastErrorCodeFunction)(void);
typedef uint32_t(__cdecl* MuCallDriverDWORDFunction)(uint32_t, uint32_t, uint32_t*);
typedef uint32_t(__cdecl* MuGetMachineIDFunction)(uint32_t, uint32_t*);
typedef uint32_t(__cdecl* MuGetMachineInfoFunction)(uint32_t, void*, uint32_t);
typedef uint32_t(__cdecl* MuMXBIOS_CallFunction)(uint32_t, void*);

#endif
