// A note with a title and tags, archived to a dictionary.
#import <Foundation/Foundation.h>
#include <stdio.h>

#define MAX_TAGS 16

NS_ASSUME_NONNULL_BEGIN

@interface Note : NSObject <NSCopying>
@property (nonatomic, copy) NSString *title;
@property (nonatomic, strong, readonly) NSMutableArray<NSString *> *tags;
@property (nonatomic, assign) NSInteger revision;
- (instancetype)initWithTitle:(NSString *)title;
- (BOOL)addTag:(NSString *)tag error:(NSError **)error;
- (NSDictionary *)dictionaryRepresentation;
@end

NS_ASSUME_NONNULL_END

@implementation Note {
    NSDate *_created;
}

- (instancetype)initWithTitle:(NSString *)title {
    self = [super init];
    if (self) {
        _title = [title copy];
        _tags = [NSMutableArray arrayWithCapacity:MAX_TAGS];
        _created = [NSDate date];
        _revision = 0x1;
    }
    return self;
}

- (BOOL)addTag:(NSString *)tag error:(NSError **)error {
    if (self.tags.count >= MAX_TAGS) {
        if (error != NULL) {
            *error = [NSError errorWithDomain:@"NoteErrorDomain"
                                         code:42
                                     userInfo:@{NSLocalizedDescriptionKey: @"too many tags"}];
        }
        return NO;
    }
    [self.tags addObject:tag.lowercaseString];
    self.revision += 1;
    return YES;
}

- (NSDictionary *)dictionaryRepresentation {
    return @{
        @"title": self.title,
        @"tags": [self.tags copy],
        @"revision": @(self.revision),
        @"ratio": @1.5e-2,
    };
}

- (id)copyWithZone:(nullable NSZone *)zone {
    Note *copy = [[[self class] allocWithZone:zone] initWithTitle:self.title];
    for (NSString *tag in self.tags) {
        [copy addTag:tag error:nil];
    }
    return copy;
}

- (NSString *)description {
    return [NSString stringWithFormat:@"<Note \"%@\" r%ld, %lu tags>", self.title, (long)self.revision,
                                      (unsigned long)self.tags.count];
}

@end

int main(int argc, const char *argv[]) {
    @autoreleasepool {
        Note *note = [[Note alloc] initWithTitle:@"Shopping"];
        NSError *error = nil;
        for (int i = 0; i < 20; i++) {
            if (![note addTag:[NSString stringWithFormat:@"t%d", i] error:&error]) {
                NSLog(@"stopped at %d: %@", i, error.localizedDescription);
                break;
            }
        }
        void (^printer)(id) = ^(id obj) { printf("%s\n", [[obj description] UTF8String]); };
        printer(note);
        printer([note dictionaryRepresentation]);
        @try {
            @throw [NSException exceptionWithName:@"Demo" reason:@"just a test" userInfo:nil];
        } @catch (NSException *e) {
            NSLog(@"caught %@ '%c'", e.name, 'x');
        } @finally {
            puts("done");
        }
    }
    return 0;
}
