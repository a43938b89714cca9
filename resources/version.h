/* The program's version, in one place for the C++ code and the package
   (which reads it from this line). */
#ifndef LOUT_RESOURCES_VERSION_H
#define LOUT_RESOURCES_VERSION_H

#define LOUT_VERSION_TEXT "1.00"

#endif
