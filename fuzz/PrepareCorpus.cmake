# Starts a smoke run's working corpus empty, so every run begins from the seed inputs only.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
