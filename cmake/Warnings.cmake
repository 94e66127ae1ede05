# Our own code builds warning-free; third-party headers come in as system includes and stay out of this.
add_library(tarmelo_warnings INTERFACE)
target_compile_options(tarmelo_warnings INTERFACE -Wall -Wextra -Wshadow -Werror)
