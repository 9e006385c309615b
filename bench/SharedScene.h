#pragma once

#include <functional>

namespace velmora::bench {

// Runs teardown after the last benchmark, while the application object still
// exists; the benchmark main calls them in reverse order of registration.
void AtBenchmarksEnd(std::function<void()> teardown);

// A scene of real windows shared by the benchmarks of one program: built at
// its first use and torn down by the benchmark main. A function-local static
// would be destroyed after main returns, when its windows' application
// object is already gone.
template <typename Scene>
Scene& SharedScene() {
  static Scene* scene = nullptr;
  if (scene == nullptr) {
    scene = new Scene();
    AtBenchmarksEnd([] {
      delete scene;
      scene = nullptr;
    });
  }
  return *scene;
}

}  // namespace velmora::bench
