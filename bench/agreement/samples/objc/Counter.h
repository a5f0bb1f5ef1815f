// A thread-safe counter with observers, for Foundation on any platform.
#ifndef COUNTER_H
#define COUNTER_H

#import <Foundation/Foundation.h>

typedef NS_ENUM(NSInteger, CounterChange) {
    CounterChangeIncrement = 1,
    CounterChangeDecrement = -1,
    CounterChangeReset = 0,
};

@protocol CounterObserver <NSObject>
- (void)counterDidChange:(NSInteger)value kind:(CounterChange)kind;
@optional
- (void)counterWillReset;
@end

@interface Counter : NSObject

@property (atomic, readonly) NSInteger value;
@property (nonatomic, weak, nullable) id<CounterObserver> observer;

+ (instancetype)sharedCounter;
- (NSInteger)increment;
- (NSInteger)decrement;
- (void)reset;

@end

static inline BOOL CounterIsPositive(Counter *counter) {
    return counter.value > 0;
}

#endif /* COUNTER_H */
