# Record and compare: takes of the learner against a passage's model.
target_sources(lectern-exercises PRIVATE
  practice/LevelMeter.cpp practice/LevelMeter.h
  practice/RecordAndCompare.cpp practice/RecordAndCompare.h
  practice/TakeComparison.cpp practice/TakeComparison.h
  practice/TakePlayback.cpp practice/TakePlayback.h
  practice/TakeRecorder.cpp practice/TakeRecorder.h
  practice/TakeStore.cpp practice/TakeStore.h
)
