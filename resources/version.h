/* The program's version, in one place for the C++ code and the Windows
   resource script (which reads only preprocessor definitions). */
#ifndef LOUT_RESOURCES_VERSION_H
#define LOUT_RESOURCES_VERSION_H

#define LOUT_VERSION_TEXT "1.00"
#define LOUT_FILE_VERSION 1, 0, 0, 0

#endif
