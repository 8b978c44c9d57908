/* The least a Win32 program does to make or remove the run's name files:
   the same names and sizes in the same subfolders of 1,000 ("n0", "n1", ...)
   of a folder (or, with a last argument of 0, in the folder itself, as a run
   made them before the subfolders), made with CreateFileW (CREATE_NEW), WriteFile and CloseHandle,
   removed with DeleteFileW and RemoveDirectoryW; "remove-as-itself" removes
   them with the calls the program makes for each file instead (opened as
   itself, its attributes and final path asked, deleted through the handle),
   which shows what that care costs. Stages 1 and 4 are read
   against it under the same Wine on the same volume. Prints the seconds its
   loop took and the files it made or removed. Built by the benchmark with
   MinGW.
     refnames make|remove|remove-as-itself FOLDER COUNT SUFFIX SIZE [PER-FOLDER] */
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

static BOOL RemoveAsItself(const wchar_t* path) {
  HANDLE h = CreateFileW(path, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         NULL, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, NULL);
  if (h == INVALID_HANDLE_VALUE) return FALSE;
  FILE_ATTRIBUTE_TAG_INFO tag;
  wchar_t final[MAX_PATH + 8];
  FILE_DISPOSITION_INFO remove = {TRUE};
  const BOOL ok = GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) &&
                  GetFinalPathNameByHandleW(h, final, MAX_PATH + 8, FILE_NAME_NORMALIZED) &&
                  SetFileInformationByHandle(h, FileDispositionInfo, &remove, sizeof remove);
  return CloseHandle(h) && ok;
}

static double Now(void) {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return (double)t.QuadPart / (double)f.QuadPart;
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 6 && argc != 7) return 2;
  const int make = wcscmp(argv[1], L"make") == 0, asItself = wcscmp(argv[1], L"remove-as-itself") == 0, count = _wtoi(argv[3]), size = _wtoi(argv[5]);
  const int per = argc == 7 ? _wtoi(argv[6]) : 1000;
  const wchar_t *folder = argv[2], *suffix = argv[4];
  char* content = malloc(size + 1);
  memset(content, 'A', size);
  if (size >= 2) content[size - 2] = '\r', content[size - 1] = '\n';
  wchar_t path[MAX_PATH];
  int done = 0;
  const double t0 = Now();
  if (make && !CreateDirectoryW(folder, NULL)) return 1;
  for (int i = 0; i < count; ++i) {
    if (make && per && i % per == 0) {
      swprintf(path, MAX_PATH, L"%ls\\n%d", folder, i / per);
      if (!CreateDirectoryW(path, NULL)) break;
    }
    if (per)
      swprintf(path, MAX_PATH, L"%ls\\n%d\\bo%d%ls", folder, i / per, i, suffix);
    else
      swprintf(path, MAX_PATH, L"%ls\\bo%d%ls", folder, i, suffix);
    if (make) {
      HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
      if (h == INVALID_HANDLE_VALUE) break;
      DWORD wrote = 0;
      const BOOL ok = size == 0 || WriteFile(h, content, size, &wrote, NULL);
      if (!CloseHandle(h) || !ok) break;
    } else if (asItself ? !RemoveAsItself(path) : !DeleteFileW(path)) {
      break;
    }
    ++done;
  }
  if (!make) {
    for (int k = 0; per && k * per < count; ++k) {
      swprintf(path, MAX_PATH, L"%ls\\n%d", folder, k);
      RemoveDirectoryW(path);
    }
    RemoveDirectoryW(folder);
  }
  printf("%.3f %d\n", Now() - t0, done);
  free(content);
  return done == count ? 0 : 1;
}
